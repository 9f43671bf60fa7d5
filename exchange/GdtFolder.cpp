#include "exchange/GdtFolder.h"

#include "platform/FileSystem.h"
#include "text/MessageCatalogue.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

#include <algorithm>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace GdtFolder {

namespace {

QStringList namesIn(const QString& folder)
{
    return QDir(folder).entryList(QDir::Files | QDir::Hidden | QDir::System);
}

// .GDT sorts before .000.
QString sortKey(const QString& name)
{
    const QString extension = QFileInfo(name).suffix().toUpper();
    return extension == u"GDT" ? QStringLiteral("-") : extension;
}

bool taken(const QStringList& names, const QString& name)
{
    return names.contains(name, Qt::CaseInsensitive);
}

QByteArray local(const QString& path)
{
    return QFile::encodeName(path);
}

// Closes a descriptor when it goes out of scope.
struct Descriptor {
    int fd = -1;
    ~Descriptor()
    {
        if (fd >= 0)
            ::close(fd);
    }
};

// Renames without ever replacing what stands at the new name: 0, or errno.
int renameNoReplace(int fromDir, const QByteArray& from, int toDir, const QByteArray& to)
{
    if (::renameat2(fromDir, from.constData(), toDir, to.constData(), RENAME_NOREPLACE) == 0)
        return 0;
    if (errno != EINVAL && errno != ENOSYS)
        return errno;
    // A file system that cannot rename so: a second name, then the first one gone.
    if (::linkat(fromDir, from.constData(), toDir, to.constData(), 0) != 0)
        return errno;
    ::unlinkat(fromDir, from.constData(), 0);
    return 0;
}

// What a file created now gets: 0666 less the umask. The umask is read
// where the system shows it, so it is never changed, not even for a moment.
mode_t ordinaryFileMode()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (status.open(QIODevice::ReadOnly)) {
        for (const QByteArray& line : status.readAll().split('\n')) {
            if (line.startsWith("Umask:")) {
                bool ok = false;
                const uint mask = line.mid(6).trimmed().toUInt(&ok, 8);
                if (ok)
                    return mode_t(0666 & ~mask);
            }
        }
    }
    return 0644;
}

bool writeAll(int fd, const QByteArray& bytes)
{
    qsizetype done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.constData() + done, size_t(bytes.size() - done));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        done += n;
    }
    return true;
}

} // namespace

QString causeOf(int error)
{
    switch (error) {
    case ENOSPC:
    case EDQUOT: return catText("gdt.causeNoSpace");
    case EACCES:
    case EPERM: return catText("gdt.causeNoPermission");
    case ENOENT:
    case ENOTDIR: return catText("gdt.causeFolderGone");
    case EROFS: return catText("gdt.causeReadOnly");
    default: return catText("gdt.causeOther").arg(QString::fromLocal8Bit(std::strerror(error))).arg(error);
    }
}

bool isRequestName(const QString& fileName, const QString& ownId, const QString& pvsId)
{
    const QRegularExpression pattern(
        QStringLiteral("^%1\\.(GDT|[0-9]{3})$").arg(QRegularExpression::escape(ownId + pvsId)),
        QRegularExpression::CaseInsensitiveOption);
    return pattern.match(fileName).hasMatch();
}

QStringList requestFiles(const QString& folder, const QString& ownId, const QString& pvsId)
{
    QStringList requests;
    for (const QString& name : namesIn(folder))
        if (isRequestName(name, ownId, pvsId))
            requests << name;
    std::sort(requests.begin(), requests.end(),
              [](const QString& a, const QString& b) { return sortKey(a) < sortKey(b); });
    return requests;
}

Stamp stampOf(const QString& path)
{
    struct stat st {};
    Stamp stamp;
    // A link that leads nowhere is still something that stands there.
    if (::stat(local(path).constData(), &st) != 0 && ::lstat(local(path).constData(), &st) != 0)
        return stamp;
    stamp.exists = true;
    stamp.regular = S_ISREG(st.st_mode);
    stamp.size = st.st_size;
    stamp.modifiedNs = qint64(st.st_mtim.tv_sec) * 1000000000 + st.st_mtim.tv_nsec;
    stamp.inode = st.st_ino;
    stamp.device = st.st_dev;
    return stamp;
}

Read readRegular(const QString& path, qint64 limit)
{
    Read read;
    const Stamp before = stampOf(path);
    if (!before.exists) {
        read.why = causeOf(ENOENT);
        return read;
    }
    // A FIFO, a device or a folder is never opened: opening alone may block.
    if (!before.regular) {
        read.status = Read::Status::NotRegular;
        return read;
    }
    if (before.size > limit) {
        read.status = Read::Status::TooLarge;
        return read;
    }
    // Should something else have been put there since, opening it must not
    // wait; what was opened is checked again.
    Descriptor file{::open(local(path).constData(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC)};
    if (file.fd < 0) {
        read.why = causeOf(errno);
        return read;
    }
    struct stat opened {};
    if (::fstat(file.fd, &opened) != 0 || !S_ISREG(opened.st_mode)) {
        read.status = Read::Status::NotRegular;
        return read;
    }
    read.bytes.resize(qsizetype(std::min<qint64>(limit, opened.st_size)) + 1);
    qsizetype got = 0;
    while (got <= limit) {
        if (got == read.bytes.size())
            read.bytes.resize(qsizetype(std::min<qint64>(limit + 1, got * 2)));
        const ssize_t n = ::read(file.fd, read.bytes.data() + got, size_t(read.bytes.size() - got));
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0) {
            read.why = causeOf(errno);
            read.bytes.clear();
            return read;
        }
        if (n == 0)
            break;
        got += n;
    }
    read.bytes.truncate(got);
    read.status = got > limit ? Read::Status::TooLarge : Read::Status::Read;
    if (read.status == Read::Status::TooLarge)
        read.bytes.clear();
    return read;
}

QString nextResultPath(const QString& folder, const QString& pvsId, const QString& ownId)
{
    const QStringList names = namesIn(folder);
    const QString base = pvsId + ownId;
    if (!taken(names, base + QStringLiteral(".GDT")))
        return QDir(folder).filePath(base + QStringLiteral(".GDT"));
    for (int n = 0; n < 1000; ++n) {
        const QString name = base + QStringLiteral(".%1").arg(n, 3, 10, QLatin1Char('0'));
        if (!taken(names, name))
            return QDir(folder).filePath(name);
    }
    return QString();
}

bool writeWhole(const QString& path, const QByteArray& bytes, QString* why)
{
    // A name the practice system never takes for a result, created new
    // with the mode any new file gets.
    QString temporary;
    QString unused;
    Descriptor file{createFileBeside(QFileInfo(path).absolutePath() + QStringLiteral("/.korvane-result"),
                                     QStringLiteral(".tmp"), &temporary, &unused)};
    if (file.fd < 0) {
        *why = causeOf(errno);
        return false;
    }
    int failure = 0;
    if (!writeAll(file.fd, bytes) || ::fsync(file.fd) != 0)
        failure = errno;
    // A network folder may tell a full disk only when the file is closed.
    if (::close(std::exchange(file.fd, -1)) != 0 && failure == 0)
        failure = errno;
    if (failure == 0)
        failure = renameNoReplace(AT_FDCWD, local(temporary), AT_FDCWD, local(path));
    if (failure != 0) {
        ::unlink(local(temporary).constData());
        *why = causeOf(failure);
        return false;
    }
    return true;
}

bool placeWhole(const QString& from, const QString& path, QString* why)
{
    // Whatever made the file, it gets what a new file gets.
    if (::chmod(local(from).constData(), ordinaryFileMode()) != 0) {
        *why = causeOf(errno);
        return false;
    }
    if (const int failure = renameNoReplace(AT_FDCWD, local(from), AT_FDCWD, local(path))) {
        *why = causeOf(failure);
        return false;
    }
    return true;
}

QString setAside(const QString& path, const QString& reason, QString* why)
{
    const QFileInfo info(path);
    const QString failedPath = QDir(info.absolutePath()).filePath(QStringLiteral("failed"));
    const auto refuse = [&](const QString& cause) {
        *why = QDir::toNativeSeparators(failedPath) + QStringLiteral(": ") + cause;
        return QString();
    };
    Descriptor folder{::open(local(info.absolutePath()).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC)};
    if (folder.fd < 0)
        return refuse(causeOf(errno));
    if (::mkdirat(folder.fd, "failed", 0777) != 0 && errno != EEXIST)
        return refuse(causeOf(errno));
    // A failed/ that is a link would take the file and its note wherever it leads.
    Descriptor failed{::openat(folder.fd, "failed", O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC)};
    if (failed.fd < 0)
        return refuse(errno == ELOOP || errno == ENOTDIR ? catText("gdt.causeFailedNotFolder") : causeOf(errno));

    const QByteArray name = local(info.fileName());
    const auto free = [&](const QByteArray& candidate) {
        struct stat st {};
        return ::fstatat(failed.fd, candidate.constData(), &st, AT_SYMLINK_NOFOLLOW) != 0
            && ::fstatat(failed.fd, (candidate + ".txt").constData(), &st, AT_SYMLINK_NOFOLLOW) != 0;
    };
    QByteArray target = name;
    int failure = EEXIST;
    for (int n = 1; n < 10000; ++n) {
        if (free(target)) {
            failure = renameNoReplace(folder.fd, name, failed.fd, target);
            if (failure != EEXIST)
                break;
        }
        target = name + '.' + QByteArray::number(n);
    }
    if (failure != 0) {
        *why = causeOf(failure);
        return QString();
    }
    // The file is set aside whether or not its note can be written.
    Descriptor note{::openat(failed.fd, (target + ".txt").constData(),
                             O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666)};
    if (note.fd >= 0)
        writeAll(note.fd, reason.toUtf8() + '\n');
    return QDir(failedPath).filePath(QFile::decodeName(target));
}

} // namespace GdtFolder
