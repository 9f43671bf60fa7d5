#pragma once
// The exchange folders: which files are requests to us, reading a request
// without ever blocking or reading without end, the name of the next
// result, writing a file so that a reader never sees half of it, and
// setting aside a request that cannot be read.
//
// A request to us is <own ID><PVS ID>.GDT or the same name with a counting
// extension (.000 to .999), names compared without case; our result is
// <PVS ID><own ID>.GDT, or the next free counting extension while an
// unread result still waits.
//
// What goes wrong is said by its cause (no space left, no permission, the
// folder gone, ...), in the current edition.
#include <QByteArray>
#include <QString>
#include <QStringList>

namespace GdtFolder {

bool isRequestName(const QString& fileName, const QString& ownId, const QString& pvsId);
// The requests waiting in the folder, .GDT first, then by extension.
QStringList requestFiles(const QString& folder, const QString& ownId, const QString& pvsId);

// What a file is without opening it: a link is followed. Two equal stamps
// are the same file unchanged (a file replaced or rewritten differs).
struct Stamp {
    bool exists = false;
    bool regular = false; // a regular file, or a link to one
    qint64 size = -1;
    qint64 modifiedNs = 0;
    quint64 inode = 0;
    quint64 device = 0;

    bool operator==(const Stamp&) const = default;
};
Stamp stampOf(const QString& path);

// Reads a request: only a regular file (a link only when it leads to one),
// opened so that a FIFO or a device swapped in never blocks, and never more
// than limit bytes.
struct Read {
    enum class Status { Read, NotRegular, TooLarge, Failed };
    Status status = Status::Failed;
    QByteArray bytes;
    QString why; // when Failed
};
Read readRegular(const QString& path, qint64 limit);

// The full path of the next result file; empty when all thousand are taken.
QString nextResultPath(const QString& folder, const QString& pvsId, const QString& ownId);

// Writes the bytes under a temporary name in the same folder, flushed to
// the disk, and renames it to path, which must not exist yet (an existing
// file is never replaced). The file gets the permissions of any file the
// user creates (0666 less the umask), so a practice system under another
// account can read it. False with the cause in *why; nothing is left
// behind then.
bool writeWhole(const QString& path, const QByteArray& bytes, QString* why);
// Renames a finished file of the folder to path the same way, with the
// same permissions.
bool placeWhole(const QString& from, const QString& path, QString* why);

// Moves a request into <folder>/failed/ (a name taken there gets a number)
// with a note <name>.txt saying why. Returns the moved file's path, empty
// (with *why) when it could not be moved: then it stays where it is. A
// failed/ that is a link is never followed (where it leads is not ours).
QString setAside(const QString& path, const QString& reason, QString* why);

// The cause of a failed file operation (errno) in words.
QString causeOf(int error);

} // namespace GdtFolder
