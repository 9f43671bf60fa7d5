#include "data/AbpmReadings.h"

#include "data/AmbSchema.h"
#include "platform/Recordset.h"
#include "text/MessageCatalogue.h"

#include <algorithm>

std::optional<std::vector<AbpmReading>> abpmReadingsOf(const Recordset& rs, QString* error)
{
    using AmbSchema::Column;
    const Column wanted[] = {Column::Id, Column::Date, Column::Time, Column::Sys,
                             Column::Dia, Column::Map, Column::Pulse};
    int field[7];
    for (int i = 0; i < 7; ++i) {
        const QString name = AmbSchema::column(wanted[i]);
        field[i] = rs.fieldIndex(name);
        if (field[i] < 0) {
            if (error)
                *error = catText("recordset.noField").arg(name);
            return std::nullopt;
        }
    }
    const qint64 rows = std::max<qint64>(rs.recordCount(), 0);
    std::vector<AbpmReading> readings;
    readings.reserve(size_t(rows));
    // A record being added is not in the file yet.
    const qint64 adding = rs.editMode() == Recordset::EditAdd ? rs.currentRow() : -1;
    for (qint64 row = 0; row < rows; ++row) {
        if (row == adding)
            continue;
        AbpmReading r;
        if (const std::optional<double> id = rs.numberAt(row, field[0]))
            r.id = qint64(*id);
        const QDate date = rs.valueAt(row, field[1]).toDate();
        const QTime time = rs.valueAt(row, field[2]).toTime();
        if (date.isValid() && time.isValid())
            r.moment = QDateTime(date, time, Qt::UTC);
        r.sys = rs.numberAt(row, field[3]);
        r.dia = rs.numberAt(row, field[4]);
        r.map = rs.numberAt(row, field[5]);
        r.pulse = rs.numberAt(row, field[6]);
        readings.push_back(r);
    }
    return readings;
}
