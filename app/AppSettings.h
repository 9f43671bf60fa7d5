#pragma once
// The program's keys in the settings store (application "KORVANE",
// section "Settings"), their defaults, and the flag rule: only the exact
// text "YES" counts as yes.
#include <QString>

namespace AppSettings {

inline constexpr const char* kCommSet = "COMMSET";
inline constexpr const char* kCommPort = "COMMPORT";
inline constexpr const char* kLogin = "LOGIN";
inline constexpr const char* kEdit = "EDIT";
inline constexpr const char* kMainLeft = "MainLeft";
inline constexpr const char* kMainTop = "MainTop";
inline constexpr const char* kMainWidth = "MainWidth";
inline constexpr const char* kMainHeight = "MainHeight";
// The help viewer program tried before the platform's own; absent or
// blank: only the platform's (platform/HelpViewer.h).
inline constexpr const char* kHelpViewer = "HELPVIEWER";

inline constexpr const char* kDefaultCommSet = "9600,n,8,1";
inline constexpr const char* kDefaultCommPort = "COM1";
inline constexpr const char* kDefaultLogin = "YES";
inline constexpr const char* kDefaultEdit = "NO";

inline constexpr const char* kYes = "YES";
inline constexpr const char* kNo = "NO";

// The five password slots: PASSWORD1..PASSWORD5, defaults "kvtq1".."kvtq5".
inline constexpr int kPasswordSlots = 5;
QString passwordKey(int slot);
QString defaultPassword(int slot);
// Every slot's stored password (or its default), read afresh.
QString readPassword(int slot);

QString read(const QString& key, const QString& defaultValue);
// False, with the reason in *why (when given), when the store refused it;
// the stored value then stays in force.
bool write(const QString& key, const QString& value, QString* why = nullptr);
// The store's file, for messages that name it.
QString storePath();

// Flags are compared exactly and case-sensitively.
inline bool isYes(const QString& value) { return value == QLatin1String(kYes); }
inline QString flagText(bool yes) { return QString::fromLatin1(yes ? kYes : kNo); }

} // namespace AppSettings
