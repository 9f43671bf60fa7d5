#include "data/BpStatistics.h"

#include "data/AmbSchema.h"
#include "platform/Recordset.h"
#include "state/SharedState.h"
#include "state/StateNotifier.h"
#include "text/Edition.h"
#include "text/MessageCatalogue.h"

#include <algorithm>
#include <array>
#include <cmath>

std::vector<BpClass> gBpClass(1001, BpClass::Unknown);
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
    std::optional<double> BpSample::*value;
    double sum = 0;
    double deviationSum = 0;
    qint64 values = 0;
    qint64 maximum = 0;
    qint64 minimum = 300;

    double average() const { return values > 0 ? sum / double(values) : 0.0; }
    double deviation() const { return values > 0 ? deviationSum / double(values) : 0.0; }
};

bool fail(QString* error, const QString& why)
{
    if (error)
        *error = why;
    return false;
}

} // namespace

BpStatisticsResult computeBpStatistics(std::span<const BpSample> records)
{
    std::array<Quantity, 4> q = {Quantity{&BpSample::sys}, Quantity{&BpSample::dia},
                                 Quantity{&BpSample::map}, Quantity{&BpSample::pulse}};
    BpStatisticsResult result;
    if (records.empty())
        return result;

    // First pass: extremes and sums.
    for (const BpSample& r : records) {
        for (Quantity& k : q) {
            const std::optional<double>& v = r.*k.value;
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
    // Second pass: deviations and the class of each record.
    result.classes.reserve(records.size());
    for (const BpSample& r : records) {
        for (Quantity& k : q) {
            const std::optional<double>& v = r.*k.value;
            if (v)
                k.deviationSum += std::fabs(k.average() - *v);
        }
        result.classes.push_back(classifyBp(r.sys, r.dia));
    }

    BpStatistics& s = result.stats;
    s.count = qint64(records.size());
    s.sysAverage = q[0].average();
    s.diaAverage = q[1].average();
    s.mapAverage = q[2].average();
    s.pulseAverage = q[3].average();
    s.sysDeviation = q[0].deviation();
    s.diaDeviation = q[1].deviation();
    s.mapDeviation = q[2].deviation();
    s.pulseDeviation = q[3].deviation();
    s.sysMaximum = q[0].maximum;
    s.diaMaximum = q[1].maximum;
    s.mapMaximum = q[2].maximum;
    s.pulseMaximum = q[3].maximum;
    s.sysMinimum = q[0].minimum;
    s.diaMinimum = q[1].minimum;
    s.mapMinimum = q[2].minimum;
    s.pulseMinimum = q[3].minimum;
    return result;
}

std::optional<std::vector<BpSample>> bpSamplesOf(const Recordset& rs, QString* error)
{
    using AmbSchema::Column;
    const QString names[4] = {AmbSchema::column(Column::Sys), AmbSchema::column(Column::Dia),
                              AmbSchema::column(Column::Map), AmbSchema::column(Column::Pulse)};
    int columns[4];
    for (int i = 0; i < 4; ++i) {
        columns[i] = rs.fieldIndex(names[i]);
        if (columns[i] < 0) {
            fail(error, catText("recordset.noField").arg(names[i]));
            return std::nullopt;
        }
    }
    const qint64 n = std::max<qint64>(rs.recordCount(), 0);
    std::vector<BpSample> samples;
    samples.reserve(size_t(n));
    for (qint64 row = 0; row < n; ++row)
        samples.push_back({rs.numberAt(row, columns[0]), rs.numberAt(row, columns[1]),
                           rs.numberAt(row, columns[2]), rs.numberAt(row, columns[3])});
    return samples;
}

namespace {

// Computes and publishes the results of the record set's rows as they are.
bool publishBpStatistics(const Recordset& rs, QString* error)
{
    const std::optional<std::vector<BpSample>> samples = bpSamplesOf(rs, error);
    if (!samples)
        return false;
    if (samples->empty())
        return true;

    BpStatisticsResult result = computeBpStatistics(*samples);
    gBpStats = result.stats;
    if (gBpClass.size() < result.classes.size() + 1)
        gBpClass.resize(result.classes.size() + 1, BpClass::Unknown);
    std::copy(result.classes.begin(), result.classes.end(), gBpClass.begin() + 1);
    emit StateNotifier::instance().statisticsChanged();
    return true;
}

} // namespace

bool UpdateBpStatistics(QString* error)
{
    const std::shared_ptr<Recordset> rs = gRecordset;
    if (!rs || !rs->isOpen())
        return fail(error, catText("recordset.closed"));
    if (rs->recordCount() <= 0)
        return true;
    // Going to the first record saves a pending change, as walking the
    // records always did; the cursor stays there.
    if (!rs->moveFirst())
        return rs->recordCount() <= 0 || fail(error, rs->lastError());
    return publishBpStatistics(*rs, error);
}

bool UpdateBpStatisticsInPlace(QString* error)
{
    const std::shared_ptr<Recordset> rs = gRecordset;
    if (!rs || !rs->isOpen())
        return fail(error, catText("recordset.closed"));
    if (rs->recordCount() <= 0)
        return true;
    return publishBpStatistics(*rs, error);
}

QString bpClassAt(qint64 position)
{
    if (position < 1 || position >= qint64(gBpClass.size()))
        return QString();
    return bpClassText(gBpClass[size_t(position)]);
}

void resetBpStatistics()
{
    gBpStats = BpStatistics();
    gBpClass.assign(1001, BpClass::Unknown);
}
