#pragma once
// The plain artefact rules of the ABPM summary: a reading that breaks one
// is left out of every figure and counted under the first rule it breaks,
// in the order below, so that the counts add up to the readings left out.
#include "data/AbpmReadings.h"

#include <array>
#include <optional>

enum class ArtefactRule {
    EmptyValue,     // no date, time, systolic, diastolic, mean or pulse value
    SysOutOfRange,  // systolic outside kSysLowest..kSysHighest
    DiaOutOfRange,  // diastolic outside kDiaLowest..kDiaHighest
    DiaNotBelowSys, // diastolic at or above systolic
    NarrowPulsePressure, // systolic minus diastolic under kLeastPulsePressure
};
inline constexpr int kArtefactRuleCount = 5;
inline constexpr std::array<ArtefactRule, kArtefactRuleCount> kArtefactRules = {
    ArtefactRule::EmptyValue, ArtefactRule::SysOutOfRange, ArtefactRule::DiaOutOfRange,
    ArtefactRule::DiaNotBelowSys, ArtefactRule::NarrowPulsePressure};

// Limits in mmHg; the limits themselves are valid values.
inline constexpr int kSysLowest = 70;
inline constexpr int kSysHighest = 250;
inline constexpr int kDiaLowest = 40;
inline constexpr int kDiaHighest = 150;
inline constexpr int kLeastPulsePressure = 20;

// The first rule the reading breaks; none for a valid reading.
std::optional<ArtefactRule> artefactOf(const AbpmReading& reading);
