#include "data/DataFileCopy.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QUrl>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace DataFileCopy {

bool sameFile(const QString& a, const QString& b)
{
    if (a.isEmpty() || b.isEmpty())
        return false;
    struct stat sa {}, sb {};
    if (::stat(QFile::encodeName(a).constData(), &sa) == 0
        && ::stat(QFile::encodeName(b).constData(), &sb) == 0)
        return sa.st_dev == sb.st_dev && sa.st_ino == sb.st_ino;
    return QDir::cleanPath(QFileInfo(a).absoluteFilePath())
        == QDir::cleanPath(QFileInfo(b).absoluteFilePath());
}

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

    QString part;
    for (int i = 0;; ++i) {
        part = to.absoluteFilePath() + QStringLiteral(".%1-%2.part").arg(::getpid()).arg(i);
        if (!QFileInfo::exists(part))
            break;
    }

    static int counter = 0;
    const QString name = QStringLiteral("korvane-copy-%1").arg(++counter);
    QString why;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
        db.setDatabaseName(QUrl::fromLocalFile(from.absoluteFilePath()).toString(QUrl::FullyEncoded)
                           + QStringLiteral("?mode=ro"));
        db.setConnectOptions(QStringLiteral("QSQLITE_OPEN_URI;QSQLITE_BUSY_TIMEOUT=5000"));
        if (!db.open()) {
            why = db.lastError().text();
        } else {
            QString literal = part;
            literal.replace(QLatin1Char('\''), QLatin1String("''"));
            QSqlQuery q(db);
            if (!q.exec(QStringLiteral("VACUUM INTO '%1'").arg(literal)))
                why = q.lastError().databaseText().isEmpty() ? q.lastError().text()
                                                             : q.lastError().databaseText();
            q.finish();
            db.close();
        }
    }
    QSqlDatabase::removeDatabase(name);
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
