#include "app/AppSettings.h"

#include "platform/SettingsStore.h"

namespace AppSettings {

QString passwordKey(int slot)
{
    return QStringLiteral("PASSWORD") + QString::number(slot + 1);
}

QString defaultPassword(int slot)
{
    return QStringLiteral("kvtq") + QString::number(slot + 1);
}

QString readPassword(int slot)
{
    return read(passwordKey(slot), defaultPassword(slot));
}

QString read(const QString& key, const QString& defaultValue)
{
    return readSetting(QString::fromLatin1(kAppTitle), QString::fromLatin1(kSettingsSection), key,
                       defaultValue);
}

bool write(const QString& key, const QString& value, QString* why)
{
    return writeSetting(QString::fromLatin1(kAppTitle), QString::fromLatin1(kSettingsSection), key,
                        value, why);
}

QString storePath()
{
    return settingsFilePath(QString::fromLatin1(kAppTitle));
}

} // namespace AppSettings
