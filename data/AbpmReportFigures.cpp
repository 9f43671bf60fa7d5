#include "data/AbpmReportFigures.h"

#include <algorithm>

namespace {

constexpr qint64 kMorningSeconds = 2 * 3600;

double valueOf(const AbpmReading& r, ReportQuantity q)
{
    switch (q) {
    case ReportQuantity::Sys:
        return *r.sys;
    case ReportQuantity::Dia:
        return *r.dia;
    case ReportQuantity::Pulse:
        return *r.pulse;
    }
    return 0;
}

bool inPeriod(AbpmPeriodKind kind, AbpmPhase phase)
{
    return kind == AbpmPeriodKind::Day24 || (kind == AbpmPeriodKind::Day && phase == AbpmPhase::Day)
        || (kind == AbpmPeriodKind::Night && phase == AbpmPhase::Night);
}

// Takes the value when it is lower (higher) than the one held; the first of equal values stays.
void keepExtremes(AbpmReportQuantity& q, double value, const QDateTime& moment)
{
    if (!q.minimum || value < q.minimum->value)
        q.minimum = AbpmExtreme{value, moment};
    if (!q.maximum || value > q.maximum->value)
        q.maximum = AbpmExtreme{value, moment};
}

double meanSys(std::span<const AbpmReading* const> readings)
{
    double sum = 0;
    for (const AbpmReading* r : readings)
        sum += *r->sys;
    return sum / double(readings.size());
}

// The first asleep stretch (successive valid readings in the night) whose
// morning has readings gives the surge.
std::optional<AbpmMorningSurge> morningSurgeOf(const std::vector<const AbpmReading*>& valid,
                                               const AbpmPeriods& periods)
{
    if (periods.night.isEmpty())
        return std::nullopt;
    size_t i = 0;
    while (i < valid.size()) {
        if (periods.phaseOf(valid[i]->moment.time()) != AbpmPhase::Night) {
            ++i;
            continue;
        }
        size_t end = i;
        while (end < valid.size() && periods.phaseOf(valid[end]->moment.time()) == AbpmPhase::Night)
            ++end;
        const QDateTime wake = wakeUpAfter(valid[end - 1]->moment, periods.night);
        std::vector<const AbpmReading*> morning;
        for (size_t k = end; k < valid.size(); ++k) {
            const qint64 after = wake.secsTo(valid[k]->moment);
            if (after >= kMorningSeconds)
                break;
            if (after >= 0)
                morning.push_back(valid[k]);
        }
        if (!morning.empty()) {
            size_t lowest = i;
            for (size_t k = i; k < end; ++k)
                if (*valid[k]->sys < *valid[lowest]->sys)
                    lowest = k;
            const size_t from = lowest > i ? lowest - 1 : lowest;
            const size_t to = std::min(lowest + 2, end);
            AbpmMorningSurge s;
            s.wakeUp = wake;
            s.morningMean = meanSys(morning);
            s.lowestMean = meanSys(std::span(valid).subspan(from, to - from));
            s.surge = s.morningMean - s.lowestMean;
            return s;
        }
        i = end;
    }
    return std::nullopt;
}

AbpmProfilePoint pointOf(const AbpmReading& r)
{
    return {r.moment, *r.sys, *r.dia, r.pulse};
}

} // namespace

QDateTime wakeUpAfter(const QDateTime& asleep, const ClockPeriod& night)
{
    const QDateTime sameDay(asleep.date(), night.end, asleep.timeSpec());
    return sameDay > asleep ? sameDay : sameDay.addDays(1);
}

AbpmReportFigures computeAbpmReport(std::span<const AbpmReading> readings, const AbpmPeriods& periods,
                                    const RecordingDetails& details, const SetAsideReadings& setAside,
                                    AbpmThresholdSet thresholds)
{
    AbpmReportFigures f;
    f.summary = computeAbpmSummary(readings, periods, details, setAside, thresholds);
    const AbpmPeriods& used = f.summary.periodsUsed;

    // The same readings count as in the summary, in the same (elapsed) time order.
    std::vector<const AbpmReading*> valid;
    for (const TimedReading& t : validReadingsInTimeOrder(readings, setAside))
        valid.push_back(t.reading);
    for (const AbpmReading& r : readings)
        if (r.id && setAside.count(*r.id) && r.moment.isValid() && r.sys && r.dia)
            f.setAside.push_back(pointOf(r));
    std::stable_sort(f.setAside.begin(), f.setAside.end(),
                     [](const AbpmProfilePoint& a, const AbpmProfilePoint& b) { return a.moment < b.moment; });

    for (const AbpmReading* r : valid) {
        f.profile.push_back(pointOf(*r));
        const AbpmPhase phase = used.phaseOf(r->moment.time());
        for (int p = 0; p < kAbpmPeriodCount; ++p) {
            if (!inPeriod(AbpmPeriodKind(p), phase))
                continue;
            for (int q = 0; q < kReportQuantityCount; ++q)
                keepExtremes(f.periods[size_t(p)].quantity[size_t(q)], valueOf(*r, ReportQuantity(q)), r->moment);
        }
    }

    for (int p = 0; p < kAbpmPeriodCount; ++p) {
        const AbpmPeriodFigures& s = f.summary.periods[size_t(p)];
        AbpmReportPeriod& period = f.periods[size_t(p)];
        period.count = s.readings;
        const AbpmQuantity summaryQuantity[] = {AbpmQuantity::Sys, AbpmQuantity::Dia, AbpmQuantity::Pulse};
        for (int q = 0; q < kReportQuantityCount; ++q) {
            period.quantity[size_t(q)].mean = s.of(summaryQuantity[q]).mean;
            period.quantity[size_t(q)].sd = s.of(summaryQuantity[q]).sd;
            period.quantity[size_t(q)].weightedMean = s.of(summaryQuantity[q]).weightedMean;
            period.quantity[size_t(q)].weightedSd = s.of(summaryQuantity[q]).weightedSd;
        }
        period.sysLoad = shownPercent(s.sysAtOrAbove, s.readings);
        period.diaLoad = shownPercent(s.diaAtOrAbove, s.readings);
    }
    f.morningSurge = morningSurgeOf(valid, used);
    return f;
}
