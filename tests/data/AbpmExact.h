#pragma once
// An exact reference of the ABPM figures for the tests, written from the
// definitions and apart from the program. Recordings are generated at true
// (UTC) instants; their clock times follow the European daylight-saving
// rule worked out here by hand (summer time from 01:00 UTC of the last
// Sunday of March to 01:00 UTC of the last Sunday of October, +2 h, else
// +1 h), so the program's reading of local time is checked against an
// independent one. Figures are fractions of whole numbers (128-bit);
// shown values are rounded from the fractions (halves away from zero);
// square roots are decided by squaring. Only Bilo's weighted SD, a sum of
// two roots, is taken in long double, and both neighbours are accepted
// when it lies within 1e-9 of a half.
#include <QDate>
#include <QDateTime>
#include <QString>
#include <QTime>

#include <array>
#include <cmath>
#include <optional>
#include <vector>

namespace abpmexact {

using Int = __int128;

struct Frac {
    Int num = 0;
    Int den = 1;
};

inline Int pow10(int d)
{
    Int p = 1;
    while (d-- > 0)
        p *= 10;
    return p;
}

// f rounded to `decimals`, halves away from zero, in units of 10^-decimals.
inline Int shownUnits(const Frac& f, int decimals)
{
    const Int scaled = f.num * pow10(decimals);
    const Int a = scaled < 0 ? -scaled : scaled;
    const Int k = (2 * a + f.den) / (2 * f.den);
    return scaled < 0 ? -k : k;
}

// sqrt(f) rounded to `decimals` (halves up), in units of 10^-decimals: the
// largest k with (k - 1/2)^2 <= f * 10^(2 decimals).
inline Int shownSqrtUnits(const Frac& f, int decimals)
{
    const Int rhs = 4 * pow10(2 * decimals) * f.num;
    const auto fits = [&](Int k) {
        const Int t = 2 * k - 1;
        return k == 0 || t * t * f.den <= rhs;
    };
    Int k = Int(std::llround(std::sqrt(double(f.num) / double(f.den)) * double(pow10(decimals))));
    while (k > 0 && !fits(k))
        --k;
    while (fits(k + 1))
        ++k;
    return k;
}

// Units as text: "129.9", "0.905", with a comma for the German edition.
inline QString unitsText(Int units, int decimals, bool german)
{
    const bool negative = units < 0;
    const Int a = negative ? -units : units;
    const Int scale = pow10(decimals);
    QString text = QString::number(qint64(a / scale));
    if (decimals > 0)
        text += QLatin1Char(german ? ',' : '.')
            + QStringLiteral("%1").arg(qint64(a % scale), decimals, 10, QLatin1Char('0'));
    return negative && a != 0 ? QLatin1Char('-') + text : text;
}

// ---- Clock and daylight saving, by hand ----

inline qint64 lastSundayOneUtc(int year, int month)
{
    QDate d(year, month, QDate(year, month, 1).daysInMonth());
    while (d.dayOfWeek() != 7)
        d = d.addDays(-1);
    return QDateTime(d, QTime(1, 0), Qt::UTC).toSecsSinceEpoch();
}

inline int europeanOffset(qint64 utc)
{
    const int year = QDateTime::fromSecsSinceEpoch(utc, Qt::UTC).date().year();
    return utc >= lastSundayOneUtc(year, 3) && utc < lastSundayOneUtc(year, 10) ? 7200 : 3600;
}

// ---- Recordings ----

struct Reading {
    qint64 utc = 0; // the true moment
    int sys = 0, dia = 0, map = 0, pulse = 0;
    bool artefact = false; // made invalid on purpose (systolic out of range)

    QDateTime wall() const { return QDateTime::fromSecsSinceEpoch(utc + europeanOffset(utc), Qt::UTC); }
    int wallMinute() const { return wall().time().hour() * 60 + wall().time().minute(); }
};

// Day and night as minutes of the day, start included, end excluded.
struct Periods {
    int dayStart = 7 * 60, dayEnd = 22 * 60, nightStart = 22 * 60, nightEnd = 7 * 60;

    static bool within(int m, int from, int to) { return from <= to ? (m >= from && m < to) : (m >= from || m < to); }
    bool day(int m) const { return within(m, dayStart, dayEnd); }
    bool night(int m) const { return within(m, nightStart, nightEnd); }
    int dayMinutes() const { return (dayEnd - dayStart + 1440) % 1440; }
    int nightMinutes() const { return (nightEnd - nightStart + 1440) % 1440; }
};

struct Threshold {
    int sys, dia;
};

// Thresholds of the two sets: [set][24 h, day, night]; office apart.
inline Threshold threshold(bool acc, int period)
{
    static const Threshold esh[] = {{130, 80}, {135, 85}, {120, 70}};
    static const Threshold accAha[] = {{125, 75}, {130, 80}, {110, 65}};
    return acc ? accAha[period] : esh[period];
}

inline constexpr qint64 kCapSeconds = 7200;

// ---- The reference figures ----

struct Extreme {
    int value = 0;
    QTime at; // clock time of the first reading in true time order
};

struct QuantityRef {
    std::optional<Frac> mean, variance, cvSquared, arv, weightedArv, weightedMean;
    std::optional<long double> weightedSd;
    std::optional<Extreme> minimum, maximum;
};

struct PeriodRef {
    qint64 n = 0;
    std::array<QuantityRef, 4> q; // sys, dia, map, pulse
    qint64 sysAbove = 0, diaAbove = 0;
};

struct DipRef {
    std::optional<Int> thousandths;
    int dipClass = 0; // 0 extreme, 1 dipper, 2 non, 3 reverse
};

struct SurgeRef {
    Frac surge, morning, lowest;
};

struct Reference {
    qint64 readings = 0, valid = 0, artefacts = 0;
    std::array<PeriodRef, 3> period; // 24 h, day, night
    std::array<DipRef, 2> dip;       // sys, dia
    std::optional<SurgeRef> surge;
};

inline int valueOf(const Reading& r, int q)
{
    return q == 0 ? r.sys : q == 1 ? r.dia : q == 2 ? r.map : r.pulse;
}

inline Frac meanOf(const std::vector<const Reading*>& rs, int q)
{
    Frac f{0, Int(rs.size())};
    for (const Reading* r : rs)
        f.num += valueOf(*r, q);
    return f;
}

// Readings are given in true time order; `in` says which belong to the period.
inline PeriodRef periodOf(const std::vector<const Reading*>& valid, const std::vector<bool>& in, bool weighted,
                          Threshold t)
{
    PeriodRef p;
    std::vector<const Reading*> mine;
    for (size_t i = 0; i < valid.size(); ++i)
        if (in[i])
            mine.push_back(valid[i]);
    p.n = qint64(mine.size());
    if (mine.empty())
        return p;
    for (const Reading* r : mine) {
        p.sysAbove += r->sys >= t.sys;
        p.diaAbove += r->dia >= t.dia;
    }
    for (int q = 0; q < 4; ++q) {
        QuantityRef& ref = p.q[size_t(q)];
        const Int n = Int(mine.size());
        Int sum = 0, squares = 0;
        for (const Reading* r : mine) {
            sum += valueOf(*r, q);
            squares += Int(valueOf(*r, q)) * valueOf(*r, q);
        }
        ref.mean = Frac{sum, n};
        if (n >= 2) {
            ref.variance = Frac{n * squares - sum * sum, n * (n - 1)};
            if (sum != 0)
                ref.cvSquared = Frac{(n * squares - sum * sum) * 10000 * n * n, n * (n - 1) * sum * sum};
        }
        // Pairs of successive valid readings both in the period.
        Int pairs = 0, differences = 0, seconds = 0, weightedDifferences = 0;
        for (size_t i = 1; i < valid.size(); ++i) {
            if (!in[i] || !in[i - 1])
                continue;
            const Int d = std::abs(valueOf(*valid[i], q) - valueOf(*valid[i - 1], q));
            const Int gap = std::min<qint64>(valid[i]->utc - valid[i - 1]->utc, kCapSeconds);
            ++pairs;
            differences += d;
            seconds += gap;
            weightedDifferences += gap * d;
        }
        if (pairs > 0)
            ref.arv = Frac{differences, pairs};
        if (seconds > 0)
            ref.weightedArv = Frac{weightedDifferences, seconds};
        if (weighted) {
            Int num = 0, den = 0;
            for (size_t i = 0; i < valid.size(); ++i) {
                Int w = 0;
                if (i > 0)
                    w += std::min<qint64>(valid[i]->utc - valid[i - 1]->utc, kCapSeconds);
                if (i + 1 < valid.size())
                    w += std::min<qint64>(valid[i + 1]->utc - valid[i]->utc, kCapSeconds);
                num += w * valueOf(*valid[i], q);
                den += w;
            }
            ref.weightedMean = den > 0 ? Frac{num, den} : *ref.mean;
        }
        if (q != 2) {
            for (const Reading* r : mine) {
                const int v = valueOf(*r, q);
                if (!ref.minimum || v < ref.minimum->value)
                    ref.minimum = Extreme{v, r->wall().time()};
                if (!ref.maximum || v > ref.maximum->value)
                    ref.maximum = Extreme{v, r->wall().time()};
            }
        }
    }
    return p;
}

inline int dipClassOf(Int thousandths)
{
    return thousandths <= 800 ? 0 : thousandths <= 900 ? 1 : thousandths <= 1000 ? 2 : 3;
}

inline Reference referenceOf(const std::vector<Reading>& readings, const Periods& periods, bool acc)
{
    Reference ref;
    ref.readings = qint64(readings.size());
    std::vector<const Reading*> valid;
    for (const Reading& r : readings) {
        if (r.artefact)
            ++ref.artefacts;
        else
            valid.push_back(&r);
    }
    std::stable_sort(valid.begin(), valid.end(), [](const Reading* a, const Reading* b) { return a->utc < b->utc; });
    ref.valid = qint64(valid.size());
    std::vector<bool> all(valid.size(), true), day, night;
    for (const Reading* r : valid) {
        day.push_back(periods.day(r->wallMinute()));
        night.push_back(periods.night(r->wallMinute()));
    }
    ref.period[0] = periodOf(valid, all, true, threshold(acc, 0));
    ref.period[1] = periodOf(valid, day, false, threshold(acc, 1));
    ref.period[2] = periodOf(valid, night, false, threshold(acc, 2));
    for (int q = 0; q < 4; ++q) {
        // Bilo: the day and night SDs weighted by the hours of each period.
        const auto& d = ref.period[1].q[size_t(q)];
        const auto& n = ref.period[2].q[size_t(q)];
        if (d.variance && n.variance) {
            const long double sd = std::sqrt((long double)d.variance->num / (long double)d.variance->den);
            const long double sn = std::sqrt((long double)n.variance->num / (long double)n.variance->den);
            ref.period[0].q[size_t(q)].weightedSd =
                (sd * periods.dayMinutes() + sn * periods.nightMinutes()) / (periods.dayMinutes() + periods.nightMinutes());
        }
        // Dipping of the two pressures only.
        if (q < 2 && d.mean && n.mean) {
            const Int day10 = shownUnits(*d.mean, 1), night10 = shownUnits(*n.mean, 1);
            if (day10 > 0) {
                ref.dip[size_t(q)].thousandths = (2000 * night10 + day10) / (2 * day10);
                ref.dip[size_t(q)].dipClass = dipClassOf(*ref.dip[size_t(q)].thousandths);
            }
        }
    }
    // Morning surge (Kario): the first night stretch followed by readings
    // within 2 clock hours of waking (the night's end after its last reading).
    size_t i = 0;
    while (i < valid.size() && !ref.surge) {
        if (!night[i]) {
            ++i;
            continue;
        }
        size_t end = i;
        while (end < valid.size() && night[end])
            ++end;
        const QDateTime last = valid[end - 1]->wall();
        QDateTime wake(last.date(), QTime(periods.nightEnd / 60, periods.nightEnd % 60), Qt::UTC);
        if (wake <= last)
            wake = wake.addDays(1);
        std::vector<const Reading*> morning;
        for (size_t k = end; k < valid.size(); ++k) {
            const qint64 after = wake.secsTo(valid[k]->wall());
            if (after >= 7200)
                break;
            if (after >= 0)
                morning.push_back(valid[k]);
        }
        if (!morning.empty()) {
            size_t lowest = i;
            for (size_t k = i; k < end; ++k)
                if (valid[k]->sys < valid[lowest]->sys)
                    lowest = k;
            std::vector<const Reading*> low;
            for (size_t k = lowest > i ? lowest - 1 : lowest; k < std::min(lowest + 2, end); ++k)
                low.push_back(valid[k]);
            const Frac m = meanOf(morning, 0), l = meanOf(low, 0);
            ref.surge = SurgeRef{Frac{m.num * l.den - l.num * m.den, m.den * l.den}, m, l};
        }
        i = end;
    }
    return ref;
}

} // namespace abpmexact
