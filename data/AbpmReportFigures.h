#pragma once
// The figures of the ABPM report a doctor signs, over one recording: the
// summary (AbpmSummary.h: counts, means, SD, dipping, validity, office
// class) and what the report adds to it: per period the smallest and the
// largest systolic, diastolic pressure and pulse with their moments, the
// load (share of readings at or above the period's threshold, as the
// summary counts them, cut to one decimal as shownPercent shows a share),
// for 24 hours the time-weighted mean and SD beside the plain ones of all
// readings, the morning surge, and the points of the 24-hour
// profile (valid readings, and the readings the doctor set aside apart).
//
// Morning surge, as Kario defined it: the mean systolic pressure of the
// valid readings in the 2 hours after waking, less the mean of the lowest
// systolic reading of the night before and its neighbours in that night
// (one before, one after, when there are). Waking is the end of the asleep
// period in force (the diary's wake-up when there is one). The first night
// that is followed by readings of its morning is taken.
//
// computeAbpmReport is a pure function, like computeAbpmSummary.
#include "data/AbpmSummary.h"
#include "data/RecordingDetails.h"
#include "data/RecordingReview.h"

#include <QDateTime>

#include <array>
#include <optional>
#include <span>
#include <vector>

// The quantities the report's table shows, in its order.
enum class ReportQuantity { Sys, Dia, Pulse };
inline constexpr int kReportQuantityCount = 3;

struct AbpmExtreme {
    double value = 0;
    QDateTime moment; // the first reading (in time order) with that value
};

struct AbpmReportQuantity {
    std::optional<double> mean; // of all readings, plain
    std::optional<double> sd;
    // 24 hours only: the time-weighted mean and Bilo's weighted SD (AbpmSummary.h).
    std::optional<double> weightedMean;
    std::optional<double> weightedSd;
    std::optional<AbpmExtreme> minimum;
    std::optional<AbpmExtreme> maximum;
};

struct AbpmReportPeriod {
    qint64 count = 0;
    std::array<AbpmReportQuantity, kReportQuantityCount> quantity;
    // Percent of the period's readings at or above its threshold, as shown
    // (shownPercent); none without readings.
    std::optional<double> sysLoad;
    std::optional<double> diaLoad;

    const AbpmReportQuantity& of(ReportQuantity q) const { return quantity[size_t(q)]; }
};

// One reading on the profile.
struct AbpmProfilePoint {
    QDateTime moment;
    double sys = 0;
    double dia = 0;
    std::optional<double> pulse;
};

struct AbpmMorningSurge {
    double surge = 0;        // mmHg
    double morningMean = 0;  // mean systolic of the 2 hours after waking
    double lowestMean = 0;   // mean systolic of the lowest asleep reading and its neighbours
    QDateTime wakeUp;
};

struct AbpmReportFigures {
    AbpmSummary summary;
    std::array<AbpmReportPeriod, kAbpmPeriodCount> periods;
    std::optional<AbpmMorningSurge> morningSurge;
    std::vector<AbpmProfilePoint> profile;  // valid readings, in time order
    std::vector<AbpmProfilePoint> setAside; // set aside by the doctor (with a moment and both pressures)

    const AbpmReportPeriod& period(AbpmPeriodKind p) const { return periods[size_t(p)]; }
};

AbpmReportFigures computeAbpmReport(std::span<const AbpmReading> readings, const AbpmPeriods& periods,
                                    const RecordingDetails& details, const SetAsideReadings& setAside,
                                    AbpmThresholdSet thresholds = AbpmThresholdSet::Esh);

// The moment the asleep period that holds `asleep` ends.
QDateTime wakeUpAfter(const QDateTime& asleep, const ClockPeriod& night);
