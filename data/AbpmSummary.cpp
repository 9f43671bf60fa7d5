#include "data/AbpmSummary.h"

#include <algorithm>
#include <cmath>

namespace {

// The values of one quantity in one period, in time order, and the sum of
// the absolute differences of successive pairs.
struct Series {
    std::vector<double> values;
    double differenceSum = 0;
    qint64 pairs = 0;
};

double valueOf(const AbpmReading& r, AbpmQuantity q)
{
    switch (q) {
    case AbpmQuantity::Sys:
        return *r.sys;
    case AbpmQuantity::Dia:
        return *r.dia;
    case AbpmQuantity::Map:
        return *r.map;
    case AbpmQuantity::Pulse:
        return *r.pulse;
    }
    return 0;
}

AbpmFigures figuresOf(const Series& s)
{
    AbpmFigures f;
    const size_t n = s.values.size();
    if (n == 0)
        return f;
    double sum = 0;
    for (double v : s.values)
        sum += v;
    const double mean = sum / double(n);
    f.mean = mean;
    if (n >= 2) {
        double squares = 0;
        for (double v : s.values)
            squares += (v - mean) * (v - mean);
        f.sd = std::sqrt(squares / double(n - 1));
        if (mean != 0)
            f.cv = *f.sd / mean * 100.0;
    }
    if (s.pairs > 0)
        f.arv = s.differenceSum / double(s.pairs);
    return f;
}

AbpmDipping dippingOf(const std::optional<double>& day, const std::optional<double>& night)
{
    AbpmDipping d;
    if (!day || !night || *day == 0)
        return d;
    d.ratio = *night / *day;
    d.percent = (*day - *night) / *day * 100.0;
    d.dipClass = dipClassOf(*d.percent);
    return d;
}

bool inPeriod(AbpmPeriodKind kind, AbpmPhase phase)
{
    switch (kind) {
    case AbpmPeriodKind::Day24:
        return true;
    case AbpmPeriodKind::Day:
        return phase == AbpmPhase::Day;
    case AbpmPeriodKind::Night:
        return phase == AbpmPhase::Night;
    }
    return false;
}

} // namespace

AbpmThreshold abpmThreshold(AbpmPeriodKind period)
{
    switch (period) {
    case AbpmPeriodKind::Day24:
        return {130, 80};
    case AbpmPeriodKind::Day:
        return {135, 85};
    case AbpmPeriodKind::Night:
        return {120, 70};
    }
    return {0, 0};
}

double shownValue(double value)
{
    return std::round(value * 10.0) / 10.0;
}

DipClass dipClassOf(double percent)
{
    const double shown = shownValue(percent);
    if (shown >= 20)
        return DipClass::ExtremeDipper;
    if (shown >= 10)
        return DipClass::Dipper;
    if (shown >= 0)
        return DipClass::NonDipper;
    return DipClass::ReverseDipper;
}

bool meansAtOrAboveThreshold(const AbpmPeriodFigures& figures, AbpmPeriodKind period)
{
    const AbpmThreshold t = abpmThreshold(period);
    const std::optional<double>& sys = figures.of(AbpmQuantity::Sys).mean;
    const std::optional<double>& dia = figures.of(AbpmQuantity::Dia).mean;
    return (sys && shownValue(*sys) >= t.sys) || (dia && shownValue(*dia) >= t.dia);
}

AbpmPeriods diaryPeriods(QTime bedtime, QTime wakeUp)
{
    return {{wakeUp, bedtime}, {bedtime, wakeUp}};
}

bool officeHypertensive(int sys, int dia)
{
    return sys >= kOfficeSysThreshold || dia >= kOfficeDiaThreshold;
}

bool ambulatoryHypertensive(const AbpmSummary& summary)
{
    for (int p = 0; p < kAbpmPeriodCount; ++p)
        if (meansAtOrAboveThreshold(summary.periods[size_t(p)], AbpmPeriodKind(p)))
            return true;
    return false;
}

OfficeClass officeClassOf(bool officeHigh, bool ambulatoryHigh)
{
    if (officeHigh)
        return ambulatoryHigh ? OfficeClass::SustainedHypertension : OfficeClass::WhiteCoatHypertension;
    return ambulatoryHigh ? OfficeClass::MaskedHypertension : OfficeClass::Normotension;
}

AbpmSummary computeAbpmSummary(std::span<const AbpmReading> readings, const AbpmPeriods& periods)
{
    return computeAbpmSummary(readings, periods, RecordingDetails{}, SetAsideReadings{});
}

AbpmSummary computeAbpmSummary(std::span<const AbpmReading> readings, const AbpmPeriods& givenPeriods,
                               const RecordingDetails& details, const SetAsideReadings& setAside)
{
    AbpmSummary s;
    s.readings = qint64(readings.size());
    if (details.hasDiary()) {
        s.periodSource = AbpmPeriodSource::Diary;
        s.periodsUsed = diaryPeriods(details.bedtime, details.wakeUp);
    } else {
        s.periodsUsed = givenPeriods;
    }
    const AbpmPeriods& periods = s.periodsUsed;

    std::vector<const AbpmReading*> valid;
    for (const AbpmReading& r : readings) {
        if (r.moment.isValid()) {
            if (!s.first.isValid() || r.moment < s.first)
                s.first = r.moment;
            if (!s.last.isValid() || r.moment > s.last)
                s.last = r.moment;
        }
        if (r.id && setAside.count(*r.id))
            ++s.setAside;
        else if (const std::optional<ArtefactRule> rule = artefactOf(r))
            ++s.excluded[size_t(*rule)];
        else
            valid.push_back(&r);
    }
    s.valid = qint64(valid.size());
    // Time order; readings of the same moment keep their record order.
    std::stable_sort(valid.begin(), valid.end(),
                     [](const AbpmReading* a, const AbpmReading* b) { return a->moment < b->moment; });

    std::array<std::array<Series, kAbpmQuantityCount>, kAbpmPeriodCount> series;
    std::array<double, 24> hourSys{}, hourDia{};
    AbpmPhase previousPhase = AbpmPhase::Neither;
    for (size_t i = 0; i < valid.size(); ++i) {
        const AbpmReading& r = *valid[i];
        const AbpmPhase phase = periods.phaseOf(r.moment.time());
        for (int p = 0; p < kAbpmPeriodCount; ++p) {
            const auto kind = AbpmPeriodKind(p);
            if (!inPeriod(kind, phase))
                continue;
            AbpmPeriodFigures& figures = s.periods[size_t(p)];
            ++figures.readings;
            const AbpmThreshold t = abpmThreshold(kind);
            figures.sysAtOrAbove += *r.sys >= t.sys;
            figures.diaAtOrAbove += *r.dia >= t.dia;
            const bool pairsWithPrevious = i > 0 && inPeriod(kind, previousPhase);
            for (int q = 0; q < kAbpmQuantityCount; ++q) {
                Series& values = series[size_t(p)][size_t(q)];
                const double v = valueOf(r, AbpmQuantity(q));
                if (pairsWithPrevious) {
                    values.differenceSum += std::fabs(v - valueOf(*valid[i - 1], AbpmQuantity(q)));
                    ++values.pairs;
                }
                values.values.push_back(v);
            }
        }
        previousPhase = phase;
        const int hour = r.moment.time().hour();
        ++s.hours[size_t(hour)].readings;
        hourSys[size_t(hour)] += *r.sys;
        hourDia[size_t(hour)] += *r.dia;
    }
    for (int p = 0; p < kAbpmPeriodCount; ++p)
        for (int q = 0; q < kAbpmQuantityCount; ++q)
            s.periods[size_t(p)].quantity[size_t(q)] = figuresOf(series[size_t(p)][size_t(q)]);
    for (size_t h = 0; h < 24; ++h) {
        if (s.hours[h].readings > 0) {
            s.hours[h].sysMean = hourSys[h] / double(s.hours[h].readings);
            s.hours[h].diaMean = hourDia[h] / double(s.hours[h].readings);
        }
    }

    const AbpmPeriodFigures& day = s.period(AbpmPeriodKind::Day);
    const AbpmPeriodFigures& night = s.period(AbpmPeriodKind::Night);
    s.sysDipping = dippingOf(day.of(AbpmQuantity::Sys).mean, night.of(AbpmQuantity::Sys).mean);
    s.diaDipping = dippingOf(day.of(AbpmQuantity::Dia).mean, night.of(AbpmQuantity::Dia).mean);

    if (s.readings == 0) {
        s.problems.push_back(ValidityProblem::NoReadings);
    } else {
        if (s.validShare() < kLeastValidShare)
            s.problems.push_back(ValidityProblem::TooFewValid);
        if (day.readings < kLeastDayReadings)
            s.problems.push_back(ValidityProblem::TooFewDay);
        if (night.readings < kLeastNightReadings)
            s.problems.push_back(ValidityProblem::TooFewNight);
    }
    if (details.hasOffice()) {
        s.officeSys = details.officeSys;
        s.officeDia = details.officeDia;
    }
    if (details.hasOffice() && s.valid > 0)
        s.officeClass = officeClassOf(officeHypertensive(*details.officeSys, *details.officeDia),
                                      ambulatoryHypertensive(s));
    return s;
}
