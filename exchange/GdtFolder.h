#pragma once
// The exchange folders: which files are requests to us, the name of the
// next result, writing a file so that a reader never sees half of it, and
// setting aside a request that cannot be read.
//
// A request to us is <own ID><PVS ID>.GDT or the same name with a counting
// extension (.000 to .999), names compared without case; our result is
// <PVS ID><own ID>.GDT, or the next free counting extension while an
// unread result still waits.
#include <QByteArray>
#include <QString>
#include <QStringList>

namespace GdtFolder {

bool isRequestName(const QString& fileName, const QString& ownId, const QString& pvsId);
// The requests waiting in the folder, .GDT first, then by extension.
QStringList requestFiles(const QString& folder, const QString& ownId, const QString& pvsId);

// The full path of the next result file; empty when all thousand are taken.
QString nextResultPath(const QString& folder, const QString& pvsId, const QString& ownId);

// Writes the bytes under a temporary name in the same folder, flushed to
// the disk, and renames it to path, which must not exist yet (an existing
// file is never replaced). False with the reason in *why; nothing is left
// behind then.
bool writeWhole(const QString& path, const QByteArray& bytes, QString* why);
// Renames a finished file of the folder to path the same way.
bool placeWhole(const QString& from, const QString& path, QString* why);

// Moves a request into <folder>/failed/ (a name taken there gets a number)
// with a note <name>.txt saying why. Returns the moved file's path, empty
// (with *why) when it could not be moved: then it stays where it is.
QString setAside(const QString& path, const QString& reason, QString* why);

} // namespace GdtFolder
