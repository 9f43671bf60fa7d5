#pragma once
// The hypertension thresholds an ambulatory recording is read against, in
// mmHg, as two published sets the user chooses between in the ABPM
// settings: ESH (the default: 24 hours 130/80, awake 135/85, asleep 120/70,
// office 140/90) and ACC/AHA 2017 (24 hours 125/75, awake 130/80, asleep
// 110/65, office 130/80). A mean or a reading is at or above a threshold
// when either pressure reaches it.
#include <QString>

#include <optional>

enum class AbpmPeriodKind { Day24, Day, Night };
inline constexpr int kAbpmPeriodCount = 3;

enum class AbpmThresholdSet { Esh, AccAha2017 };

struct AbpmThreshold {
    int sys;
    int dia;
};

AbpmThreshold abpmThreshold(AbpmPeriodKind period, AbpmThresholdSet set);
AbpmThreshold officeThreshold(AbpmThresholdSet set);

// The set as the settings store keeps it ("ESH", "ACCAHA2017"); an unknown
// text gives none.
QString thresholdSetKey(AbpmThresholdSet set);
std::optional<AbpmThresholdSet> thresholdSetFromKey(const QString& key);
