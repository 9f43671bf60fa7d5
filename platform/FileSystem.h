#pragma once
// The file-system service of the file commands: existence, copy with
// overwrite, and the DOS-style attribute bits that mark the data-file
// template. On Linux the attribute bits live in the extended attribute
// user.DOSATTRIB as a hex text ("0x2"); a file system without extended
// attributes reads as "normal" and ignores writes, so it never stops New or
// Open.
#include <QString>

class FileSystem {
public:
    enum Attribute : int { Normal = 0, ReadOnly = 1, Hidden = 2, System = 4, Archive = 32 };

    bool fileExists(const QString& path) const;
    // Copies source onto target, replacing it. On failure returns false and
    // puts the reason into *error (when given).
    bool copyFile(const QString& source, const QString& target, QString* error = nullptr) const;
    int attributes(const QString& path) const;
    bool setAttributes(const QString& path, int attributes) const;
};
