#pragma once
// The ABPM summary of a recording, as doctors read a 24-hour ambulatory
// recording: the span and the readings left out by the artefact rules; for
// 24 hours, day and night the mean, the standard deviation, the coefficient
// of variation and the average real variability of systolic, diastolic and
// mean pressure and pulse; the night-to-day dipping; each period's means
// against the hypertension thresholds of the chosen set (AbpmThresholds.h)
// and the share of readings at or above them; whether the recording is
// valid for diagnosis; and the hourly means of systolic and diastolic
// pressure.
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
//
// The 24-hour mean that is read against the threshold is weighted by time,
// as the outcome studies behind the 24-hour thresholds computed it: each
// valid reading stands for half the time to the reading before and half
// the time to the reading after it, an interval longer than two hours
// (the recorder paused) counting as two hours. The time between readings
// is elapsed time: the clock times of the file are taken in the local time
// zone, so a night across a change of daylight saving time weighs its
// readings by the time that really passed (a reading in the hour that
// repeats in autumn is the later one when the reading before it in the
// file is already at or past the earlier). Awake and asleep means are plain.
#include "data/AbpmArtefacts.h"
#include "data/AbpmPeriods.h"
#include "data/AbpmReadings.h"
#include "data/AbpmThresholds.h"
#include "data/RecordingDetails.h"
#include "data/RecordingReview.h"

#include <QDateTime>

#include <array>
#include <optional>
#include <span>
#include <vector>

enum class AbpmQuantity { Sys, Dia, Map, Pulse };
inline constexpr int kAbpmQuantityCount = 4;

struct AbpmFigures {
    std::optional<double> mean;
    // The sample standard deviation, sqrt(sum (x - mean)^2 / (n - 1)).
    std::optional<double> sd;
    // Coefficient of variation, sd / mean in percent.
    std::optional<double> cv;
    // Average real variability: the mean of |x[i+1] - x[i]| over pairs of
    // successive valid readings (in time order) that both lie in the period.
    std::optional<double> arv;
    // The average real variability weighted by the time between the two
    // readings of each pair (capped like the weights of the mean).
    std::optional<double> weightedArv;
    // 24 hours only: the time-weighted mean (see above), and the weighted
    // standard deviation of Bilo (2007), the day and the night standard
    // deviations weighted by the hours of each period, which leaves out the
    // night fall the plain standard deviation includes.
    std::optional<double> weightedMean;
    std::optional<double> weightedSd;
};

// An interval between readings longer than this counts as this long.
inline constexpr qint64 kLongestWeightedSeconds = 2 * 3600;

struct AbpmPeriodFigures {
    qint64 readings = 0; // valid readings in the period
    std::array<AbpmFigures, kAbpmQuantityCount> quantity;
    // Readings with systolic (diastolic) pressure at or above the threshold.
    qint64 sysAtOrAbove = 0;
    qint64 diaAtOrAbove = 0;

    const AbpmFigures& of(AbpmQuantity q) const { return quantity[size_t(q)]; }
    // The mean read against the threshold: the time-weighted one for 24
    // hours, the plain one for day and night.
    const std::optional<double>& assessedMean(AbpmQuantity q) const
    {
        return of(q).weightedMean ? of(q).weightedMean : of(q).mean;
    }
};

enum class DipClass { ExtremeDipper, Dipper, NonDipper, ReverseDipper };

// The night-to-day ratio is taken of the means as shown (one decimal) and
// is itself shown, and classed, to three decimals (halves up); the fall is
// 1 - ratio in percent, so the three never disagree.
struct AbpmDipping {
    std::optional<double> ratio;   // night mean / day mean, to three decimals
    std::optional<double> percent; // the fall, (1 - ratio) in percent
    std::optional<DipClass> dipClass;
};

// A ratio up to 0.800 is extreme dipping, above 0.800 up to 0.900 dipping,
// above 0.900 up to 1.000 non-dipping, above 1.000 reverse dipping (a fall
// of at least 20 %, 10 to under 20 %, 0 to under 10 %, a rise).
DipClass dipClassOf(int ratioThousandths);
// The ratio of two means as shown, in thousandths; none when the day mean
// shows as zero or less.
std::optional<int> dipRatioThousandths(double dayMean, double nightMean);

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
    AbpmThresholdSet thresholds = AbpmThresholdSet::Esh;

    AbpmThreshold threshold(AbpmPeriodKind p) const { return abpmThreshold(p, thresholds); }
    const AbpmPeriodFigures& period(AbpmPeriodKind p) const { return periods[size_t(p)]; }
    qint64 excludedBy(ArtefactRule rule) const { return excluded[size_t(rule)]; }
    bool validForDiagnosis() const { return problems.empty(); }
    // The valid share of all readings (0 without readings).
    double validShare() const { return readings > 0 ? double(valid) / double(readings) : 0.0; }
};

// The readings that count (not set aside, no artefact) in time order, each
// with its moment as elapsed seconds since the epoch (see above).
struct TimedReading {
    const AbpmReading* reading;
    qint64 instant;
};
std::vector<TimedReading> validReadingsInTimeOrder(std::span<const AbpmReading> readings,
                                                   const SetAsideReadings& setAside);

// Without details or review: the given periods, nothing set aside.
AbpmSummary computeAbpmSummary(std::span<const AbpmReading> readings, const AbpmPeriods& periods);
AbpmSummary computeAbpmSummary(std::span<const AbpmReading> readings, const AbpmPeriods& periods,
                               const RecordingDetails& details, const SetAsideReadings& setAside,
                               AbpmThresholdSet thresholds = AbpmThresholdSet::Esh);

// Awake from wake-up to bedtime, asleep from bedtime to wake-up.
AbpmPeriods diaryPeriods(QTime bedtime, QTime wakeUp);
// Office pressure at or above the set's office threshold (either pressure).
bool officeHypertensive(int sys, int dia, AbpmThresholdSet thresholds);
// Any period's means at or above its threshold, taken as shown.
bool ambulatoryHypertensive(const AbpmSummary& summary);
OfficeClass officeClassOf(bool officeHigh, bool ambulatoryHigh);

// A value to one decimal, halves away from zero, as every place shows it
// and compares it. Means are fractions of whole mmHg; one computed a hair
// (under a ten-millionth of a tenth) below a half is taken as the half.
double shownValue(double value);
// A share in percent as shown: cut (not rounded) to one decimal, so that
// 69.96 % of valid readings never shows as the 70.0 % needed; none
// without a whole.
std::optional<double> shownPercent(qint64 part, qint64 whole);

// A period's assessed means as shown against its threshold: which
// pressure is at or above it. None without both means.
struct AbpmMeansVerdict {
    double sys = 0; // as shown
    double dia = 0;
    AbpmThreshold threshold{0, 0};
    bool sysAtOrAbove = false;
    bool diaAtOrAbove = false;

    bool atOrAbove() const { return sysAtOrAbove || diaAtOrAbove; }
};
std::optional<AbpmMeansVerdict> meansVerdict(const AbpmSummary& summary, AbpmPeriodKind period);
// Whether a period's means reach its threshold (either pressure), taken as shown.
bool meansAtOrAboveThreshold(const AbpmSummary& summary, AbpmPeriodKind period);
