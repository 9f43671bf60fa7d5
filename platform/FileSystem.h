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

    // A regular file (or a link to one) stands at path.
    bool fileExists(const QString& path) const;
    // Something stands at path that is not a regular file or a link to one:
    // a folder, a FIFO, a device, a link that leads nowhere. Such a path is
    // never replaced.
    bool isOtherThanFile(const QString& path) const;
    // Copies source onto target, replacing a regular file there (never
    // anything else). The copy is written beside the target and renamed
    // over it, so a failed copy never leaves a half-written target; the
    // name it is written under is created new, so whatever stands beside
    // the target (a file, a link, a FIFO) is left alone. On failure returns
    // false and puts the reason into *error (when given).
    bool copyFile(const QString& source, const QString& target, QString* error = nullptr) const;
    int attributes(const QString& path) const;
    bool setAttributes(const QString& path, int attributes) const;
};

// Creates a new empty file beside target under a name nothing stood at:
// "<target><suffix>" first, then "<target>.<random hex><suffix>". It is
// created exclusively, so a file, a link or a FIFO of that name is never
// opened, followed or replaced. Returns the open descriptor and the name in
// *created, or -1 with the reason in *error.
int createFileBeside(const QString& target, const QString& suffix, QString* created, QString* error);

// True when both paths name the same file: the same path, or another path
// to it (a link, "..", a hard link).
bool sameFile(const QString& a, const QString& b);
