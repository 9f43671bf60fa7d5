#pragma once
// The per-user settings store: text values addressed by application name,
// section and key. An absent key yields the caller's default; nothing is
// ever deleted. Kept as an INI file (IniText.h: every value is the text as
// it stands) under the user's config folder (XDG_CONFIG_HOME is honoured),
// readable by its owner only because it holds the passwords.
//
// - A store that cannot be read (not a regular file, such as a FIFO or a
//   folder, or refused by the system) is never opened past that check: every
//   key yields its default, settingsReadProblem says why, and writes are
//   refused, so the file is left as it is.
// - A write replaces the file at once (a crash leaves the old or the new
//   file, never half of one) and keeps every other line as it was. It is
//   refused, with the reason, when the store cannot be read, when the file
//   is write-protected, or when the value holds a line break; the stored
//   value then stays in force.
#include <QString>

inline constexpr const char* kAppTitle = "KORVANE";
inline constexpr const char* kSettingsSection = "Settings";

QString readSetting(const QString& appName, const QString& section, const QString& key,
                    const QString& defaultValue = QString());
// Returns false, with the reason in *why (when given), when the store could
// not be written; callers that must not fail (the unload step) ignore it.
bool writeSetting(const QString& appName, const QString& section, const QString& key,
                  const QString& value, QString* why = nullptr);

// Why the store cannot be read; empty when it can, or when there is none yet.
QString settingsReadProblem(const QString& appName);

// Full path of the store file for an application name.
QString settingsFilePath(const QString& appName);
