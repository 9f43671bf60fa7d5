#include "data/DataFileCopy.h"

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

    // One name per target: a copy that a crash or a kill interrupted is
    // taken away by the next copy to the same target, never left to pile up.
    const QString part = to.absoluteFilePath() + QStringLiteral(".korvane-part");
    if (QFileInfo(part).isFile() && !QFile::remove(part))
        return fail(error, QStringLiteral("cannot remove %1").arg(part));

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
