#pragma once
// Copies of data files and the question whether two paths name one file.
#include <QString>

namespace DataFileCopy {

// True when both paths name the same file: the same path, or another path
// to it (a link, "..", a hard link).
bool sameFile(const QString& a, const QString& b);

// Writes a consistent copy of the database at source to target, replacing
// target, even while source is open and being written: the copy is made by
// the database itself (VACUUM INTO) beside the target and then renamed over
// it, so the target is never half written. False with the reason in *error.
bool copyDatabase(const QString& source, const QString& target, QString* error = nullptr);

} // namespace DataFileCopy
