#include "comm/SaveRecords.h"

#include "state/MainStatusPanels.h"
#include "state/SharedState.h"
#include "data/AmbSchema.h"
#include "data/CurrentDataFile.h"
#include "platform/Connection.h"
#include "platform/Recordset.h"
#include "platform/Seams.h"
#include "text/Edition.h"
#include "text/MessageCatalogue.h"

#include <QHash>
#include <QSet>

#include <cmath>

namespace {

// What makes two measurements the same one.
struct RecordKey {
    int systolic = 0;
    int diastolic = 0;
    int pulse = 0;
    qint64 day = 0;    // Julian day
    int msecs = 0;     // time of day

    friend bool operator==(const RecordKey&, const RecordKey&) = default;
};

size_t qHash(const RecordKey& k, size_t seed = 0)
{
    return qHashMulti(seed, k.systolic, k.diastolic, k.pulse, k.day, k.msecs);
}

std::optional<int> wholeNumber(const QVariant& v)
{
    switch (v.typeId()) {
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Short:
    case QMetaType::UShort:
    case QMetaType::Double:
    case QMetaType::Float: {
        const double d = v.toDouble();
        // A fraction or a huge value never equals a received byte.
        if (d != std::floor(d) || d < -1e9 || d > 1e9)
            return std::nullopt;
        return int(d);
    }
    default:
        return std::nullopt;
    }
}

struct Columns {
    int systolic, diastolic, map, pulse, date, time;
};

Columns columnsOf(const Recordset& rs)
{
    using AmbSchema::Column;
    const auto at = [&rs](Column c) { return rs.fieldIndex(AmbSchema::column(c)); };
    return {at(Column::Sys), at(Column::Dia), at(Column::Map), at(Column::Pulse), at(Column::Date), at(Column::Time)};
}

// The keys of the rows the set holds. A row with an empty or unreadable
// value in one of the five fields matches nothing.
QSet<RecordKey> keysOfRows(const Recordset& rs, const Columns& c)
{
    QSet<RecordKey> keys;
    if (c.systolic < 0 || c.diastolic < 0 || c.pulse < 0 || c.date < 0 || c.time < 0)
        return keys;
    const qint64 rows = rs.recordCount();
    keys.reserve(qsizetype(rows));
    for (qint64 row = 0; row < rows; ++row) {
        const std::optional<int> sys = wholeNumber(rs.valueAt(row, c.systolic));
        const std::optional<int> dia = wholeNumber(rs.valueAt(row, c.diastolic));
        const std::optional<int> pulse = wholeNumber(rs.valueAt(row, c.pulse));
        const QVariant date = rs.valueAt(row, c.date);
        const QVariant time = rs.valueAt(row, c.time);
        if (!sys || !dia || !pulse || date.typeId() != QMetaType::QDate
            || time.typeId() != QMetaType::QTime)
            continue;
        const QDate d = date.toDate();
        const QTime t = time.toTime();
        if (!d.isValid() || !t.isValid())
            continue;
        keys.insert({*sys, *dia, *pulse, d.toJulianDay(), t.msecsSinceStartOfDay()});
    }
    return keys;
}

} // namespace

std::optional<QDate> recordDate(int month, int day, const QDate& saveDate)
{
    if (month < 1 || month > 12 || day < 1 || day > 31 || !saveDate.isValid())
        return std::nullopt;
    // Up to one day ahead of the save date is a recorder's clock running
    // ahead; anything later in the year was last year. A recorder holds no
    // reading older than a year, so a 29 February is dated only within it.
    const QDate limit = saveDate.addDays(1);
    for (int year = limit.year(); year >= limit.year() - 1; --year) {
        const QDate date(year, month, day);
        if (date.isValid() && date <= limit)
            return date > limit.addYears(-1) ? std::optional<QDate>(date) : std::nullopt;
    }
    return std::nullopt;
}

std::optional<QTime> recordTime(int hour, int minute)
{
    if (hour < 0 || hour > 23 || minute < 0 || minute > 59)
        return std::nullopt;
    return QTime(hour, minute, 0);
}

StoreOutcome storeRecords(const QList<BpRecord>& records, Recordset& target, const QDate& saveDate)
{
    StoreOutcome outcome;
    const Columns c = columnsOf(target);
    QSet<RecordKey> stored = keysOfRows(target, c);

    const auto fail = [&]() {
        outcome.error = target.lastError();
        if (outcome.error.isEmpty())
            outcome.error = QStringLiteral("The record could not be stored.");
        // Never leave half a row pending, to be saved by a later move.
        if (target.editMode() != Recordset::EditNone)
            target.cancelUpdate();
    };

    // The last record received first.
    for (qsizetype i = records.size() - 1; i >= 0; --i) {
        const BpRecord& r = records.at(i);
        const std::optional<QDate> date = recordDate(r.month, r.day, saveDate);
        const std::optional<QTime> time = recordTime(r.hour, r.minute);
        if (!date || !time) {
            ++outcome.outOfRange;
            continue;
        }
        const RecordKey key{r.systolic, r.diastolic, r.pulse, date->toJulianDay(),
                            time->msecsSinceStartOfDay()};
        if (stored.contains(key)) {
            ++outcome.duplicates;
            continue;
        }
        const bool written = target.addNew()
            && target.setValue(c.systolic, int(r.systolic))
            && target.setValue(c.diastolic, int(r.diastolic))
            && target.setValue(c.map, meanArterialPressure(r.systolic, r.diastolic))
            && target.setValue(c.pulse, int(r.pulse))
            && target.setValue(c.date, *date)
            && target.setValue(c.time, *time)
            && target.update();
        if (!written) {
            fail();
            break;
        }
        stored.insert(key);
        ++outcome.added;
    }
    return outcome;
}

StoreOutcome SaveRecords(const QList<BpRecord>& records)
{
    StoreOutcome outcome;
    const std::shared_ptr<Recordset> rs = CurrentDataFile::records();
    if (!rs) {
        outcome.fileUnavailable = true; // opening said why
        outcome.error = catText("frmRead.msgFileUnavailable");
        return outcome;
    }
    if (!rs->beginBatch()) {
        outcome.error = rs->lastError();
        return outcome;
    }
    outcome = storeRecords(records, *rs, seams().now().date());
    // The rows stored before a failing one stay.
    const bool committed = rs->commitBatch();
    if (!committed && outcome.ok())
        outcome.error = rs->lastError();
    if (!rs->requery() && outcome.ok())
        outcome.error = rs->lastError();
    gRecordCount = rs->recordCount();
    MainStatusPanels::instance().setText(MainStatusPanels::Records,
                                         QString::number(gRecordCount) + catText("frmRead.sbRecords"));
    return outcome;
}
