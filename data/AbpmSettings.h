#pragma once
// The day and night periods of the ABPM summary in the settings store
// (application "KORVANE", section "ABPM"): DAY and NIGHT hold the user's
// own periods as "HH:mm-HH:mm", NARROW is "YES" while the narrow fixed
// periods are chosen, THRESHOLDS names the set of thresholds ("ESH" or
// "ACCAHA2017"). Both editions share them, like every setting.
#include "data/AbpmPeriods.h"

#include <QString>

namespace AbpmSettings {

inline constexpr const char* kSection = "ABPM";
inline constexpr const char* kDay = "DAY";
inline constexpr const char* kNight = "NIGHT";
inline constexpr const char* kNarrow = "NARROW";
inline constexpr const char* kThresholds = "THRESHOLDS";

// The stored choice. A value that is absent, unreadable or not a usable
// period (an edit by hand) gives the standard periods; an unknown set of
// thresholds gives ESH.
AbpmPeriodChoice load();
// False, with the reason in *why, when the store refused it (it cannot be
// read or is write-protected); the stored choice then stays in force.
bool store(const AbpmPeriodChoice& choice, QString* why = nullptr);

} // namespace AbpmSettings
