#include "platform/FileSystem.h"

#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>

#include <QDir>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <sys/xattr.h>

namespace {
constexpr const char* kAttrName = "user.DOSATTRIB";
}

bool FileSystem::fileExists(const QString& path) const
{
    const QFileInfo info(path);
    return info.exists() && info.isFile();
}

bool FileSystem::isOtherThanFile(const QString& path) const
{
    const QFileInfo info(path);
    if (info.isSymLink())
        return !info.exists() || !info.isFile();
    return info.exists() && !info.isFile();
}

namespace {

bool fail(QString* error, const QString& why)
{
    if (error)
        *error = why;
    return false;
}

} // namespace

bool FileSystem::copyFile(const QString& source, const QString& target, QString* error) const
{
    if (isOtherThanFile(target)) {
        if (error)
            *error = QStringLiteral("%1 is not a file").arg(target);
        return false;
    }
    QFile in(source);
    if (!in.open(QIODevice::ReadOnly)) {
        if (error)
            *error = in.errorString();
        return false;
    }
    // Write beside the target and rename, so a failed copy never leaves a
    // half-written file under the target's name.
    QString temp;
    const int fd = createFileBeside(target, QStringLiteral(".part"), &temp, error);
    if (fd < 0)
        return false;
    QFile out;
    if (!out.open(fd, QIODevice::WriteOnly, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        QFile::remove(temp);
        return fail(error, out.errorString());
    }
    const QByteArray bytes = in.readAll();
    if (out.write(bytes) != bytes.size() || !out.flush() || ::fsync(fd) != 0) {
        const QString why = out.errorString();
        out.close();
        QFile::remove(temp);
        return fail(error, why);
    }
    out.close();
    // rename() replaces the target in one step; what stands there is never
    // removed first.
    if (std::rename(QFile::encodeName(temp).constData(), QFile::encodeName(target).constData()) != 0) {
        if (error)
            *error = QString::fromLocal8Bit(std::strerror(errno));
        QFile::remove(temp);
        return false;
    }
    return true;
}

int FileSystem::attributes(const QString& path) const
{
    const QByteArray local = QFile::encodeName(path);
    char buffer[32] = {};
    const ssize_t n = ::getxattr(local.constData(), kAttrName, buffer, sizeof buffer - 1);
    if (n <= 0)
        return Normal;
    bool ok = false;
    const int value = QByteArray(buffer, int(n)).trimmed().toInt(&ok, 0);
    return ok ? value : Normal;
}

bool FileSystem::setAttributes(const QString& path, int attributes) const
{
    const QByteArray local = QFile::encodeName(path);
    const QByteArray text = "0x" + QByteArray::number(attributes, 16);
    if (::setxattr(local.constData(), kAttrName, text.constData(), size_t(text.size()), 0) == 0)
        return true;
    // No extended attributes here: the mark is simply not kept.
    return errno == ENOTSUP;
}

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

int createFileBeside(const QString& target, const QString& suffix, QString* created, QString* error)
{
    constexpr int kTries = 100;
    for (int i = 0; i < kTries; ++i) {
        *created = i == 0 ? target + suffix
                          : QStringLiteral("%1.%2%3")
                                .arg(target)
                                .arg(QRandomGenerator::global()->generate(), 8, 16, QLatin1Char('0'))
                                .arg(suffix);
        const int fd = ::open(QFile::encodeName(*created).constData(),
                              O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
        if (fd >= 0)
            return fd;
        if (errno != EEXIST) {
            fail(error, QString::fromLocal8Bit(std::strerror(errno)));
            return -1;
        }
    }
    fail(error, QString::fromLocal8Bit(std::strerror(EEXIST)));
    return -1;
}
