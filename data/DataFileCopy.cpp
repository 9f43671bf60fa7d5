#include "data/DataFileCopy.h"

#include "platform/FileSystem.h"
#include "platform/SqliteFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace DataFileCopy {

namespace {

bool fail(QString* error, const QString& why)
{
    if (error)
        *error = why;
    return false;
}

// A regular file (not a link) that is empty (a kill came before the copy
// began) or holds an SQLite database.
bool isLeftOverCopy(const QString& path)
{
    const QFileInfo info(path);
    if (info.isSymLink() || !info.isFile())
        return false;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    const QByteArray head = file.read(16);
    return head.isEmpty() || head == QByteArray("SQLite format 3", 16);
}

bool syncFile(const QString& path)
{
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY);
    if (fd < 0)
        return false;
    const bool ok = ::fsync(fd) == 0;
    ::close(fd);
    return ok;
}

} // namespace

bool copyDatabase(const QString& source, const QString& target, QString* error)
{
    const QFileInfo from(source);
    if (!from.isFile())
        return fail(error, QStringLiteral("%1 does not exist").arg(source));
    const QFileInfo to(target);
    if (to.exists() && !to.isFile())
        return fail(error, QStringLiteral("%1 is not a file").arg(target));
    if (!to.dir().exists())
        return fail(error, QStringLiteral("the folder %1 does not exist").arg(to.absolutePath()));

    // A copy that a crash or a kill interrupted is taken away by the next
    // copy to the same target, never left to pile up; only an empty or a
    // database file of our name is such a copy. The copy itself goes to a name created
    // exclusively, so a user's file, a link or a FIFO there is left alone.
    const QString suffix = QStringLiteral(".korvane-part");
    if (isLeftOverCopy(to.absoluteFilePath() + suffix) && !QFile::remove(to.absoluteFilePath() + suffix))
        return fail(error, QStringLiteral("cannot remove %1").arg(to.absoluteFilePath() + suffix));
    QString part;
    const int fd = createFileBeside(to.absoluteFilePath(), suffix, &part, error);
    if (fd < 0)
        return false;
    ::close(fd); // an empty file: SQLite copies into it

    QString why;
    {
        SqliteFile db;
        // A busy writer gets longer: the copy waits for its transaction to end.
        if (!db.open(source, SqliteFile::Mode::ReadOnly, 5000)) {
            why = db.lastError().text;
        } else {
            QString literal = part;
            literal.replace(QLatin1Char('\''), QLatin1String("''"));
            if (!db.exec(QStringLiteral("VACUUM INTO '%1'").arg(literal)))
                why = db.lastError().text;
        }
    }
    if (why.isEmpty() && !syncFile(part))
        why = QStringLiteral("cannot write %1").arg(part);
    if (why.isEmpty()
        && std::rename(QFile::encodeName(part).constData(), QFile::encodeName(target).constData()) != 0)
        why = QString::fromLocal8Bit(std::strerror(errno));
    if (!why.isEmpty()) {
        QFile::remove(part);
        return fail(error, why);
    }
    return true;
}

} // namespace DataFileCopy
