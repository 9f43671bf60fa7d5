#include "data/AbpmSummary.h"

#include <QHash>

#include <algorithm>
#include <cmath>

namespace {

// The values of one quantity in one period, in time order, and the sum of
// the absolute differences of successive pairs, plain and weighted by the
// (capped) seconds between the two readings.
struct Series {
    std::vector<double> values;
    double differenceSum = 0;
    qint64 pairs = 0;
    double weightedDifferenceSum = 0;
    double pairSeconds = 0;
};

// Sums of the time-weighted mean; the weights are doubled (the whole
// capped interval on each side) so that they stay whole seconds and the
// sums exact for whole values.
struct WeightedSum {
    double weightedValues = 0;
    double weights = 0;
};

// Elapsed seconds of the file's clock times in the local time zone. Days
// without a change of offset take the day's one offset; on a day of change
// each clock time is tried with the offset before and after it.
class LocalClock {
public:
    qint64 instant(const QDateTime& wall, std::optional<qint64> previous)
    {
        const qint64 naive = wall.toSecsSinceEpoch(); // the clock time taken as UTC
        const auto [before, after] = offsetsOf(wall.date());
        if (before == after)
            return naive - before;
        std::vector<qint64> fits;
        for (int offset : {before, after}) {
            const qint64 candidate = naive - offset;
            const QDateTime local = QDateTime::fromSecsSinceEpoch(candidate, Qt::LocalTime);
            if (local.date() == wall.date() && local.time() == QTime(wall.time().hour(), wall.time().minute(), wall.time().second()))
                fits.push_back(candidate);
        }
        if (fits.empty()) // in the hour skipped in spring: as if the clock had not changed yet
            return naive - before;
        std::sort(fits.begin(), fits.end());
        // The hour that repeats in autumn: the earlier unless the reading before is at or past it.
        if (fits.size() > 1 && previous && *previous >= fits.front())
            return fits.back();
        return fits.front();
    }

private:
    std::pair<int, int> offsetsOf(const QDate& date)
    {
        auto it = m_offsets.constFind(date);
        if (it == m_offsets.constEnd())
            it = m_offsets.insert(date, {QDateTime(date, QTime(0, 0), Qt::LocalTime).offsetFromUtc(),
                                         QDateTime(date, QTime(23, 59, 59), Qt::LocalTime).offsetFromUtc()});
        return *it;
    }

    QHash<QDate, std::pair<int, int>> m_offsets;
};

qint64 cappedSeconds(qint64 from, qint64 to)
{
    return std::min(std::max<qint64>(to - from, 0), kLongestWeightedSeconds);
}

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
    if (s.pairSeconds > 0)
        f.weightedArv = s.weightedDifferenceSum / s.pairSeconds;
    return f;
}

AbpmDipping dippingOf(const std::optional<double>& day, const std::optional<double>& night)
{
    AbpmDipping d;
    if (!day || !night)
        return d;
    const std::optional<int> thousandths = dipRatioThousandths(*day, *night);
    if (!thousandths)
        return d;
    d.ratio = *thousandths / 1000.0;
    d.percent = (1000 - *thousandths) / 10.0;
    d.dipClass = dipClassOf(*thousandths);
    return d;
}

// Bilo's weighted standard deviation: the day's and the night's by their hours.
std::optional<double> weightedSdOf(const std::optional<double>& daySd, const std::optional<double>& nightSd,
                                   const AbpmPeriods& periods)
{
    const int day = periods.day.minutes(), night = periods.night.minutes();
    if (!daySd || !nightSd || day + night == 0)
        return std::nullopt;
    return (*daySd * day + *nightSd * night) / double(day + night);
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

double shownValue(double value)
{
    const double shown = std::floor(std::fabs(value) * 10.0 + 0.5 + 1e-7) / 10.0;
    return value < 0 ? -shown : shown;
}

std::optional<double> shownPercent(qint64 part, qint64 whole)
{
    if (whole <= 0)
        return std::nullopt;
    // Whole numbers: the cut is exact.
    const qint64 tenths = part * 1000 / whole;
    return double(tenths) / 10.0;
}

std::optional<int> dipRatioThousandths(double dayMean, double nightMean)
{
    const auto day = qint64(std::llround(shownValue(dayMean) * 10));
    const auto night = qint64(std::llround(shownValue(nightMean) * 10));
    if (day <= 0 || night < 0)
        return std::nullopt;
    // night / day to three decimals, halves up, in whole numbers.
    return int((2000 * night + day) / (2 * day));
}

DipClass dipClassOf(int ratioThousandths)
{
    if (ratioThousandths <= 800)
        return DipClass::ExtremeDipper;
    if (ratioThousandths <= 900)
        return DipClass::Dipper;
    if (ratioThousandths <= 1000)
        return DipClass::NonDipper;
    return DipClass::ReverseDipper;
}

std::optional<AbpmMeansVerdict> meansVerdict(const AbpmSummary& summary, AbpmPeriodKind period)
{
    const AbpmPeriodFigures& f = summary.period(period);
    const std::optional<double>& sys = f.assessedMean(AbpmQuantity::Sys);
    const std::optional<double>& dia = f.assessedMean(AbpmQuantity::Dia);
    if (!sys || !dia)
        return std::nullopt;
    AbpmMeansVerdict v;
    v.sys = shownValue(*sys);
    v.dia = shownValue(*dia);
    v.threshold = summary.threshold(period);
    v.sysAtOrAbove = v.sys >= v.threshold.sys;
    v.diaAtOrAbove = v.dia >= v.threshold.dia;
    return v;
}

bool meansAtOrAboveThreshold(const AbpmSummary& summary, AbpmPeriodKind period)
{
    const std::optional<AbpmMeansVerdict> v = meansVerdict(summary, period);
    return v && v->atOrAbove();
}

AbpmPeriods diaryPeriods(QTime bedtime, QTime wakeUp)
{
    return {{wakeUp, bedtime}, {bedtime, wakeUp}};
}

bool officeHypertensive(int sys, int dia, AbpmThresholdSet thresholds)
{
    const AbpmThreshold t = officeThreshold(thresholds);
    return sys >= t.sys || dia >= t.dia;
}

bool ambulatoryHypertensive(const AbpmSummary& summary)
{
    for (int p = 0; p < kAbpmPeriodCount; ++p)
        if (meansAtOrAboveThreshold(summary, AbpmPeriodKind(p)))
            return true;
    return false;
}

OfficeClass officeClassOf(bool officeHigh, bool ambulatoryHigh)
{
    if (officeHigh)
        return ambulatoryHigh ? OfficeClass::SustainedHypertension : OfficeClass::WhiteCoatHypertension;
    return ambulatoryHigh ? OfficeClass::MaskedHypertension : OfficeClass::Normotension;
}

std::vector<TimedReading> validReadingsInTimeOrder(std::span<const AbpmReading> readings,
                                                   const SetAsideReadings& setAside)
{
    std::vector<TimedReading> valid;
    LocalClock clock;
    std::optional<qint64> previous;
    for (const AbpmReading& r : readings) {
        if ((r.id && setAside.count(*r.id)) || artefactOf(r))
            continue;
        // A valid reading has a moment (AbpmArtefacts.h).
        previous = clock.instant(r.moment, previous);
        valid.push_back({&r, *previous});
    }
    // Readings of the same moment keep their record order.
    std::stable_sort(valid.begin(), valid.end(),
                     [](const TimedReading& a, const TimedReading& b) { return a.instant < b.instant; });
    return valid;
}

AbpmSummary computeAbpmSummary(std::span<const AbpmReading> readings, const AbpmPeriods& periods)
{
    return computeAbpmSummary(readings, periods, RecordingDetails{}, SetAsideReadings{});
}

AbpmSummary computeAbpmSummary(std::span<const AbpmReading> readings, const AbpmPeriods& givenPeriods,
                               const RecordingDetails& details, const SetAsideReadings& setAside,
                               AbpmThresholdSet thresholds)
{
    AbpmSummary s;
    s.thresholds = thresholds;
    s.readings = qint64(readings.size());
    if (details.hasDiary()) {
        s.periodSource = AbpmPeriodSource::Diary;
        s.periodsUsed = diaryPeriods(details.bedtime, details.wakeUp);
    } else {
        s.periodsUsed = givenPeriods;
    }
    const AbpmPeriods& periods = s.periodsUsed;

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
    }
    const std::vector<TimedReading> valid = validReadingsInTimeOrder(readings, setAside);
    s.valid = qint64(valid.size());

    std::array<std::array<Series, kAbpmQuantityCount>, kAbpmPeriodCount> series;
    std::array<WeightedSum, kAbpmQuantityCount> weighted;
    std::array<double, 24> hourSys{}, hourDia{};
    AbpmPhase previousPhase = AbpmPhase::Neither;
    for (size_t i = 0; i < valid.size(); ++i) {
        const AbpmReading& r = *valid[i].reading;
        const qint64 before = i > 0 ? cappedSeconds(valid[i - 1].instant, valid[i].instant) : 0;
        const qint64 after = i + 1 < valid.size() ? cappedSeconds(valid[i].instant, valid[i + 1].instant) : 0;
        for (int q = 0; q < kAbpmQuantityCount; ++q) {
            weighted[size_t(q)].weightedValues += double(before + after) * valueOf(r, AbpmQuantity(q));
            weighted[size_t(q)].weights += double(before + after);
        }
        const AbpmPhase phase = periods.phaseOf(r.moment.time());
        for (int p = 0; p < kAbpmPeriodCount; ++p) {
            const auto kind = AbpmPeriodKind(p);
            if (!inPeriod(kind, phase))
                continue;
            AbpmPeriodFigures& figures = s.periods[size_t(p)];
            ++figures.readings;
            const AbpmThreshold t = s.threshold(kind);
            figures.sysAtOrAbove += *r.sys >= t.sys;
            figures.diaAtOrAbove += *r.dia >= t.dia;
            const bool pairsWithPrevious = i > 0 && inPeriod(kind, previousPhase);
            for (int q = 0; q < kAbpmQuantityCount; ++q) {
                Series& values = series[size_t(p)][size_t(q)];
                const double v = valueOf(r, AbpmQuantity(q));
                if (pairsWithPrevious) {
                    const double difference = std::fabs(v - valueOf(*valid[i - 1].reading, AbpmQuantity(q)));
                    values.differenceSum += difference;
                    ++values.pairs;
                    values.weightedDifferenceSum += double(before) * difference;
                    values.pairSeconds += double(before);
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
    for (int q = 0; q < kAbpmQuantityCount; ++q) {
        AbpmFigures& day24 = s.periods[size_t(AbpmPeriodKind::Day24)].quantity[size_t(q)];
        if (!day24.mean)
            continue;
        // One reading, or all at one moment, stand for no time: the plain mean.
        const WeightedSum& w = weighted[size_t(q)];
        day24.weightedMean = w.weights > 0 ? w.weightedValues / w.weights : *day24.mean;
        day24.weightedSd = weightedSdOf(s.period(AbpmPeriodKind::Day).of(AbpmQuantity(q)).sd,
                                        s.period(AbpmPeriodKind::Night).of(AbpmQuantity(q)).sd, periods);
    }
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
        s.officeClass = officeClassOf(officeHypertensive(*details.officeSys, *details.officeDia, thresholds),
                                      ambulatoryHypertensive(s));
    return s;
}
