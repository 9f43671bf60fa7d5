#include "platform/FileSystem.h"

#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <sys/xattr.h>

namespace {
constexpr const char* kAttrName = "user.DOSATTRIB";
}

bool FileSystem::fileExists(const QString& path) const
{
    const QFileInfo info(path);
    return info.exists() && info.isFile();
}

bool FileSystem::copyFile(const QString& source, const QString& target, QString* error) const
{
    QFile in(source);
    if (!in.open(QIODevice::ReadOnly)) {
        if (error)
            *error = in.errorString();
        return false;
    }
    // Write beside the target and rename, so a failed copy never leaves a
    // half-written file under the target's name.
    const QString temp = target + QStringLiteral(".part");
    QFile out(temp);
    if (!out.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        if (error)
            *error = out.errorString();
        return false;
    }
    const QByteArray bytes = in.readAll();
    if (out.write(bytes) != bytes.size() || !out.flush()) {
        if (error)
            *error = out.errorString();
        out.remove();
        return false;
    }
    out.close();
    QFile::remove(target);
    if (!QFile::rename(temp, target)) {
        if (error)
            *error = QStringLiteral("cannot replace %1").arg(target);
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
