#pragma once
// The per-user settings store: text values addressed by application name,
// section and key. An absent key yields the caller's default; nothing is
// ever deleted. Kept as an INI file under the user's config folder
// (XDG_CONFIG_HOME is honoured), readable by its owner only because it
// holds the passwords.
#include <QString>

inline constexpr const char* kAppTitle = "KORVANE";
inline constexpr const char* kSettingsSection = "Settings";

QString readSetting(const QString& appName, const QString& section, const QString& key,
                    const QString& defaultValue = QString());
// Returns false when the store could not be written; callers that must not
// fail (the unload step) ignore it.
bool writeSetting(const QString& appName, const QString& section, const QString& key,
                  const QString& value);

// Full path of the store file for an application name (for tests and notes).
QString settingsFilePath(const QString& appName);
