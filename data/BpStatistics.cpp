#include "data/BpStatistics.h"

#include "state/SharedState.h"
#include "platform/Recordset.h"
#include "text/Edition.h"
#include "data/BpClassification.h"

#include <QVariant>

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>
#include <optional>

std::vector<QString> gBpClass(1001);
BpStatistics gBpStats;

namespace {

// Rounds to the nearest whole number, halves to the even neighbour.
qint64 roundHalfEven(double d)
{
    constexpr double top = 9223372036854774784.0; // largest double below 2^63
    const double r = std::nearbyint(std::clamp(d, -top, top));
    return qint64(r);
}

struct Quantity {
    int column = -1;
    double sum = 0;
    double deviationSum = 0;
    qint64 values = 0;
    qint64 maximum = 0;
    qint64 minimum = 300;
};

bool fail(QString* error, const QString& why)
{
    if (error)
        *error = why;
    return false;
}

} // namespace

bool UpdateBpStatistics(QString* error)
{
    const std::shared_ptr<Recordset> rs = gRecordset;
    if (!rs || !rs->isOpen())
        return fail(error, QStringLiteral("The record set is closed."));
    if (rs->recordCount() <= 0)
        return true;
    // Going to the first record saves a pending change, as walking the
    // records always did.
    if (!rs->moveFirst()) {
        if (rs->recordCount() <= 0)
            return true;
        return fail(error, rs->lastError());
    }
    const qint64 n = rs->recordCount();
    if (n <= 0)
        return true;

    const Edition& edition = Edition::current();
    const QString names[4] = {QStringLiteral("SYS_mmHg"), QStringLiteral("DIA_mmHg"),
                              QStringLiteral("MAP_mmHg"), edition.colPulse()};
    std::array<Quantity, 4> q;
    for (int i = 0; i < 4; ++i) {
        q[size_t(i)].column = rs->fieldIndex(names[i]);
        if (q[size_t(i)].column < 0)
            return fail(error, QStringLiteral("Item cannot be found in the collection: no field %1.")
                                   .arg(names[i]));
    }

    // First pass: extremes and sums.
    for (qint64 row = 0; row < n; ++row) {
        for (Quantity& k : q) {
            const std::optional<double> v = rs->numberAt(row, k.column);
            if (!v)
                continue;
            if (double(k.maximum) < *v)
                k.maximum = roundHalfEven(*v);
            if (double(k.minimum) > *v)
                k.minimum = roundHalfEven(*v);
            k.sum += *v;
            ++k.values;
        }
    }
    gBpStats.count = n;
    auto average = [](const Quantity& k) { return k.values > 0 ? k.sum / double(k.values) : 0.0; };
    gBpStats.sysAverage = average(q[0]);
    gBpStats.diaAverage = average(q[1]);
    gBpStats.mapAverage = average(q[2]);
    gBpStats.pulseAverage = average(q[3]);
    const double averages[4] = {gBpStats.sysAverage, gBpStats.diaAverage, gBpStats.mapAverage,
                                gBpStats.pulseAverage};
    gBpStats.sysMaximum = q[0].maximum;
    gBpStats.diaMaximum = q[1].maximum;
    gBpStats.mapMaximum = q[2].maximum;
    gBpStats.pulseMaximum = q[3].maximum;
    gBpStats.sysMinimum = q[0].minimum;
    gBpStats.diaMinimum = q[1].minimum;
    gBpStats.mapMinimum = q[2].minimum;
    gBpStats.pulseMinimum = q[3].minimum;

    // Second pass: deviations and the class of each record.
    if (gBpClass.size() < size_t(n) + 1)
        gBpClass.resize(size_t(n) + 1);
    const QString classText[] = {bpClassText(BpClass::Unknown), bpClassText(BpClass::Hypertension),
                                 bpClassText(BpClass::Borderline), bpClassText(BpClass::Hypotension),
                                 bpClassText(BpClass::Normal)};
    for (qint64 row = 0; row < n; ++row) {
        std::optional<double> values[4];
        for (int i = 0; i < 4; ++i) {
            values[i] = rs->numberAt(row, q[size_t(i)].column);
            if (values[i])
                q[size_t(i)].deviationSum += std::fabs(averages[i] - *values[i]);
        }
        gBpClass[size_t(row) + 1] = classText[int(classifyBp(values[0], values[1]))];
    }

    auto deviation = [](const Quantity& k) {
        return k.values > 0 ? k.deviationSum / double(k.values) : 0.0;
    };
    gBpStats.sysDeviation = deviation(q[0]);
    gBpStats.diaDeviation = deviation(q[1]);
    gBpStats.mapDeviation = deviation(q[2]);
    gBpStats.pulseDeviation = deviation(q[3]);
    return true;
}

QString bpClassAt(qint64 position)
{
    if (position < 1 || position >= qint64(gBpClass.size()))
        return QString();
    return gBpClass[size_t(position)];
}

void resetBpStatistics()
{
    gBpStats = BpStatistics();
    gBpClass.assign(1001, QString());
}
