#include "platform/SettingsStore.h"

#include <QFile>
#include <QSettings>

#include <sys/stat.h>

namespace {

QSettings openStore(const QString& appName)
{
    // Organisation and application are both the application name, so the
    // file is <config>/KORVANE/KORVANE.ini for both editions.
    return QSettings(QSettings::IniFormat, QSettings::UserScope, appName, appName);
}

QString fullKey(const QString& section, const QString& key)
{
    return section + QLatin1Char('/') + key;
}

} // namespace

QString readSetting(const QString& appName, const QString& section, const QString& key,
                    const QString& defaultValue)
{
    QSettings store = openStore(appName);
    const QVariant value = store.value(fullKey(section, key));
    return value.isValid() ? value.toString() : defaultValue;
}

bool writeSetting(const QString& appName, const QString& section, const QString& key,
                  const QString& value)
{
    QSettings store = openStore(appName);
    store.setValue(fullKey(section, key), value);
    // The store holds passwords: a file (and folder) made by this write is
    // created for its owner only, never readable by others even for a moment.
    const mode_t previousMask = ::umask(077);
    store.sync();
    ::umask(previousMask);
    if (store.status() != QSettings::NoError)
        return false;
    QFile::setPermissions(store.fileName(), QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    return true;
}

QString settingsFilePath(const QString& appName)
{
    return openStore(appName).fileName();
}
