#include "platform/SettingsStore.h"

#include "platform/IniText.h"
#include "platform/PlatformText.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QSaveFile>
#include <QStandardPaths>

#include <cerrno>
#include <cstring>

#include <sys/stat.h>
#include <unistd.h>

namespace {

struct StoreFile {
    QByteArray bytes;
    QString problem; // why it could not be read
};

QString systemReason(int error)
{
    return QString::fromLocal8Bit(std::strerror(error));
}

StoreFile readStore(const QString& path)
{
    StoreFile store;
    // Looked at before opening: opening a FIFO waits for a writer for ever,
    // and a device answers something else than a file.
    struct stat info {};
    if (::stat(QFile::encodeName(path).constData(), &info) != 0) {
        if (errno != ENOENT)
            store.problem = systemReason(errno);
        return store;
    }
    if (!S_ISREG(info.st_mode)) {
        store.problem = platformText("settings.notRegularFile");
        return store;
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        store.problem = file.errorString();
        return store;
    }
    store.bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        store.problem = file.errorString();
    return store;
}

// Files and folders made while it lives are for their owner only.
class OwnerOnlyUmask {
public:
    OwnerOnlyUmask() : m_previous(::umask(077)) {}
    ~OwnerOnlyUmask() { ::umask(m_previous); }
    OwnerOnlyUmask(const OwnerOnlyUmask&) = delete;
    OwnerOnlyUmask& operator=(const OwnerOnlyUmask&) = delete;

private:
    mode_t m_previous;
};

} // namespace

QString readSetting(const QString& appName, const QString& section, const QString& key,
                    const QString& defaultValue)
{
    const StoreFile store = readStore(settingsFilePath(appName));
    return iniValue(store.bytes, section, key).value_or(defaultValue);
}

bool writeSetting(const QString& appName, const QString& section, const QString& key,
                  const QString& value, QString* why)
{
    const auto refuse = [why](const QString& reason) {
        if (why)
            *why = reason;
        return false;
    };
    if (!iniValueWritable(value))
        return refuse(platformText("settings.lineBreak"));

    const QString path = settingsFilePath(appName);
    // The store holds passwords: never readable by others, even for a moment.
    const OwnerOnlyUmask ownerOnly;
    QDir().mkpath(QFileInfo(path).absolutePath());
    // Both editions may write at once; earlier builds took the same lock.
    // A lock that cannot be had (a folder that cannot be written) leaves the
    // write below to fail and say why.
    QLockFile lock(path + QStringLiteral(".lock"));
    lock.tryLock(2000);

    const StoreFile store = readStore(path);
    if (!store.problem.isEmpty())
        return refuse(store.problem);
    // The file is replaced, which a write-protected file would not stop.
    if (QFileInfo::exists(path) && ::access(QFile::encodeName(path).constData(), W_OK) != 0)
        return refuse(systemReason(errno));
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return refuse(file.errorString());
    file.write(iniWithValue(store.bytes, section, key, value));
    if (!file.commit())
        return refuse(file.errorString());
    QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    return true;
}

QString settingsReadProblem(const QString& appName)
{
    return readStore(settingsFilePath(appName)).problem;
}

QString settingsFilePath(const QString& appName)
{
    // <config>/KORVANE/KORVANE.ini, shared by both editions, where earlier
    // builds (QSettings) kept it too, also for a relative XDG_CONFIG_HOME.
    const QString configHome = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    return QDir(configHome).absoluteFilePath(appName + QLatin1Char('/') + appName + QStringLiteral(".ini"));
}
