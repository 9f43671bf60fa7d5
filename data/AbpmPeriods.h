#pragma once
// Day (awake) and night (asleep) of an ambulatory recording, as clock
// periods that a reading's time of day falls in. By default the day runs
// 07:00-22:00 and the night 22:00-07:00; the user may set both periods, or
// choose the narrow fixed periods (day 10:00-20:00, night 00:00-06:00),
// which leave the hours of getting up and going to bed out of both.
#include "data/AbpmThresholds.h"

#include <QString>
#include <QTime>

#include <optional>

// From start (included) to end (excluded), to the minute. An end before the
// start runs past midnight; start and end alike make an empty period.
struct ClockPeriod {
    QTime start;
    QTime end;

    bool contains(QTime time) const;
    bool isEmpty() const { return start == end; }
    // Its length in minutes (0 to 1439).
    int minutes() const;
    // "HH:mm-HH:mm", the form the settings store keeps.
    QString text() const;
    static std::optional<ClockPeriod> fromText(const QString& text);
    bool operator==(const ClockPeriod&) const = default;
};

enum class AbpmPhase { Day, Night, Neither };

struct AbpmPeriods {
    ClockPeriod day;
    ClockPeriod night;

    static AbpmPeriods standard();    // 07:00-22:00, 22:00-07:00
    static AbpmPeriods narrowFixed(); // 10:00-20:00, 00:00-06:00

    AbpmPhase phaseOf(QTime time) const;
    // Why the periods cannot be used, in the current edition (an empty
    // period, day and night sharing a minute); empty when they can.
    QString problem() const;
    bool operator==(const AbpmPeriods&) const = default;
};

// What the user chose: periods of their own, or the narrow fixed ones (the
// own periods are kept for when the user goes back to them), and the set of
// thresholds the means are read against.
struct AbpmPeriodChoice {
    AbpmPeriods own = AbpmPeriods::standard();
    bool narrow = false;
    AbpmThresholdSet thresholds = AbpmThresholdSet::Esh;

    AbpmPeriods inForce() const { return narrow ? AbpmPeriods::narrowFixed() : own; }
    bool operator==(const AbpmPeriodChoice&) const = default;
};
