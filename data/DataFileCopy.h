#pragma once
// Consistent copies of data files.
#include <QString>

namespace DataFileCopy {

// Writes a consistent copy of the database at source to target, replacing
// target, even while source is open and being written: the copy is made by
// the database itself (VACUUM INTO) beside the target and then renamed over
// it, so the target is never half written; what an interrupted copy left
// beside the target goes with the next copy. False with the reason in *error.
bool copyDatabase(const QString& source, const QString& target, QString* error = nullptr);

} // namespace DataFileCopy
