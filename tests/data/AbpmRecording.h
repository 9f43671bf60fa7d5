#pragma once
// Generated ambulatory recordings for the ABPM tests: a reading every 15
// minutes by day and every 30 minutes by night, systolic and diastolic
// pressure alternating a few mmHg above and below a chosen day mean, and the
// night means lower by a chosen dip. The generator decides day and night by
// its own clock rule (night from 22:00 to 07:00), not by the program's
// periods, and the reference figures below are computed from the generated
// values alone, so the tests compare two independent computations.
#include "data/AbpmReadings.h"
#include "data/DataTestSupport.h"

#include <QDateTime>

#include <cmath>
#include <vector>

namespace abpmtest {

struct Plan {
    QDateTime start = QDateTime(QDate(2024, 3, 7), QTime(10, 0), Qt::UTC);
    int hours = 24;
    int dayStepMinutes = 15;
    int nightStepMinutes = 30;
    double daySys = 140;
    double dayDia = 80;
    double dipPercent = 15;
    double swing = 3; // alternately added and taken away
    double dayPulse = 75;
    double nightPulse = 60;
};

struct Generated {
    std::vector<BpRow> rows;
    std::vector<bool> night; // by the generator's rule, per row
};

inline bool generatorNight(QTime t)
{
    return t.hour() >= 22 || t.hour() < 7;
}

inline Generated generate(const Plan& plan)
{
    Generated g;
    const QDateTime end = plan.start.addSecs(qint64(plan.hours) * 3600);
    int dayIndex = 0, nightIndex = 0;
    for (QDateTime t = plan.start; t < end;) {
        const bool night = generatorNight(t.time());
        const double factor = night ? 1 - plan.dipPercent / 100 : 1;
        const int k = night ? nightIndex++ : dayIndex++;
        const double swing = k % 2 == 0 ? plan.swing : -plan.swing;
        BpRow r;
        r.sys = plan.daySys * factor + swing;
        r.dia = plan.dayDia * factor + swing;
        r.map = (*r.sys + 2 * *r.dia) / 3;
        r.pulse = night ? plan.nightPulse : plan.dayPulse;
        r.date = t.date();
        r.time = t.time();
        g.rows.push_back(r);
        g.night.push_back(night);
        t = t.addSecs(60 * (night ? plan.nightStepMinutes : plan.dayStepMinutes));
    }
    return g;
}

inline std::vector<AbpmReading> readingsOf(const std::vector<BpRow>& rows)
{
    std::vector<AbpmReading> readings;
    qint64 id = 0;
    for (const BpRow& r : rows) {
        AbpmReading a;
        a.id = ++id;
        if (r.date.isValid() && r.time.isValid())
            a.moment = QDateTime(r.date, r.time, Qt::UTC);
        a.sys = r.sys;
        a.dia = r.dia;
        a.map = r.map;
        a.pulse = r.pulse;
        readings.push_back(a);
    }
    return readings;
}

// Reference figures of one quantity over the readings a filter keeps, the
// readings taken in the order given (the generator's order is time order).
struct Reference {
    qint64 n = 0;
    double mean = 0;
    double sd = 0;
    double arv = 0;
};

template <typename Value, typename Keep>
Reference reference(const std::vector<BpRow>& rows, Value value, Keep keep)
{
    Reference ref;
    std::vector<double> values;
    double differences = 0;
    qint64 pairs = 0;
    for (size_t i = 0; i < rows.size(); ++i) {
        if (!keep(i))
            continue;
        values.push_back(value(rows[i]));
        if (i > 0 && keep(i - 1)) {
            differences += std::abs(value(rows[i]) - value(rows[i - 1]));
            ++pairs;
        }
    }
    ref.n = qint64(values.size());
    for (double v : values)
        ref.mean += v / double(values.size());
    for (double v : values)
        ref.sd += (v - ref.mean) * (v - ref.mean);
    ref.sd = std::sqrt(ref.sd / double(values.size() - 1));
    ref.arv = pairs ? differences / double(pairs) : 0;
    return ref;
}

} // namespace abpmtest
