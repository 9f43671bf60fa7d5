#pragma once
// The ABPM summary of a recording, as doctors read a 24-hour ambulatory
// recording: the span and the readings left out by the artefact rules; for
// 24 hours, day and night the mean, the standard deviation, the coefficient
// of variation and the average real variability of systolic, diastolic and
// mean pressure and pulse; the night-to-day dipping; each period's means
// against the usual hypertension thresholds and the share of readings at
// or above them; whether the recording is valid for diagnosis; and the
// hourly means of systolic and diastolic pressure.
//
// computeAbpmSummary is a pure function of the readings, the periods and
// the recording's details and review. Readings the doctor set aside are
// left out first and counted apart; of the rest only valid readings count
// (AbpmArtefacts.h). A reading belongs to the day or the night by its time
// of day; one in neither (the narrow periods leave gaps) counts for 24
// hours only. With bedtime and wake-up in the details, the diary's periods
// replace the given ones (awake from wake-up to bedtime, asleep from
// bedtime to wake-up), and the summary says so. With an office pressure,
// the summary names the class of the office against the ambulatory means.
#include "data/AbpmArtefacts.h"
#include "data/AbpmPeriods.h"
#include "data/AbpmReadings.h"
#include "data/RecordingDetails.h"
#include "data/RecordingReview.h"

#include <QDateTime>

#include <array>
#include <optional>
#include <span>
#include <vector>

enum class AbpmQuantity { Sys, Dia, Map, Pulse };
inline constexpr int kAbpmQuantityCount = 4;

enum class AbpmPeriodKind { Day24, Day, Night };
inline constexpr int kAbpmPeriodCount = 3;

struct AbpmFigures {
    std::optional<double> mean;
    // The sample standard deviation, sqrt(sum (x - mean)^2 / (n - 1)).
    std::optional<double> sd;
    // Coefficient of variation, sd / mean in percent.
    std::optional<double> cv;
    // Average real variability: the mean of |x[i+1] - x[i]| over pairs of
    // successive valid readings (in time order) that both lie in the period.
    std::optional<double> arv;
};

// The usual thresholds of ambulatory hypertension, in mmHg.
struct AbpmThreshold {
    int sys;
    int dia;
};
AbpmThreshold abpmThreshold(AbpmPeriodKind period); // 130/80, 135/85, 120/70

struct AbpmPeriodFigures {
    qint64 readings = 0; // valid readings in the period
    std::array<AbpmFigures, kAbpmQuantityCount> quantity;
    // Readings with systolic (diastolic) pressure at or above the threshold.
    qint64 sysAtOrAbove = 0;
    qint64 diaAtOrAbove = 0;

    const AbpmFigures& of(AbpmQuantity q) const { return quantity[size_t(q)]; }
};

enum class DipClass { ExtremeDipper, Dipper, NonDipper, ReverseDipper };

struct AbpmDipping {
    std::optional<double> ratio;   // night mean / day mean
    std::optional<double> percent; // the fall, (day mean - night mean) / day mean in percent
    std::optional<DipClass> dipClass;
};

// A fall of at least 20 % is extreme, 10 to under 20 % dipping, 0 to under
// 10 % non-dipping, a rise reverse dipping. The fall is taken as it is
// shown, to one decimal, so that the class always matches the figure.
DipClass dipClassOf(double percent);

enum class ValidityProblem { NoReadings, TooFewValid, TooFewDay, TooFewNight };

// What a recording needs to be valid for diagnosis.
inline constexpr double kLeastValidShare = 0.70;
inline constexpr qint64 kLeastDayReadings = 20;
inline constexpr qint64 kLeastNightReadings = 7;

struct AbpmHour {
    qint64 readings = 0;
    std::optional<double> sysMean;
    std::optional<double> diaMean;
};

// Which periods decided day and night.
enum class AbpmPeriodSource { Given, Diary };

// The office (clinic) pressure against the ambulatory means.
enum class OfficeClass { SustainedHypertension, WhiteCoatHypertension, MaskedHypertension, Normotension };
inline constexpr int kOfficeSysThreshold = 140;
inline constexpr int kOfficeDiaThreshold = 90;

struct AbpmSummary {
    qint64 readings = 0; // every record
    qint64 setAside = 0; // set aside by the doctor, in neither valid nor excluded
    qint64 valid = 0;
    std::array<qint64, kArtefactRuleCount> excluded{}; // by rule, in rule order
    // The earliest and the latest moment of any reading (invalid without one).
    QDateTime first;
    QDateTime last;
    std::array<AbpmPeriodFigures, kAbpmPeriodCount> periods;
    AbpmDipping sysDipping;
    AbpmDipping diaDipping;
    std::vector<ValidityProblem> problems; // empty: valid for diagnosis
    std::array<AbpmHour, 24> hours;        // by clock hour of the time of day
    AbpmPeriodSource periodSource = AbpmPeriodSource::Given;
    AbpmPeriods periodsUsed;
    // The office pressure of the details, and its class: none without an
    // office pressure (the class also none without valid readings).
    std::optional<int> officeSys;
    std::optional<int> officeDia;
    std::optional<OfficeClass> officeClass;

    const AbpmPeriodFigures& period(AbpmPeriodKind p) const { return periods[size_t(p)]; }
    qint64 excludedBy(ArtefactRule rule) const { return excluded[size_t(rule)]; }
    bool validForDiagnosis() const { return problems.empty(); }
    // The valid share of all readings (0 without readings).
    double validShare() const { return readings > 0 ? double(valid) / double(readings) : 0.0; }
};

// Without details or review: the given periods, nothing set aside.
AbpmSummary computeAbpmSummary(std::span<const AbpmReading> readings, const AbpmPeriods& periods);
AbpmSummary computeAbpmSummary(std::span<const AbpmReading> readings, const AbpmPeriods& periods,
                               const RecordingDetails& details, const SetAsideReadings& setAside);

// Awake from wake-up to bedtime, asleep from bedtime to wake-up.
AbpmPeriods diaryPeriods(QTime bedtime, QTime wakeUp);
// Office pressure at or above 140/90 (either).
bool officeHypertensive(int sys, int dia);
// Any period's means at or above its threshold, taken as shown.
bool ambulatoryHypertensive(const AbpmSummary& summary);
OfficeClass officeClassOf(bool officeHigh, bool ambulatoryHigh);

// A value to one decimal, as the summary shows it and compares it.
double shownValue(double value);
// Whether a period's means reach its threshold (either pressure), taken as shown.
bool meansAtOrAboveThreshold(const AbpmPeriodFigures& figures, AbpmPeriodKind period);
