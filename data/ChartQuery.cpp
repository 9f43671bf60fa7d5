#include "data/ChartQuery.h"

#include "data/AmbSchema.h"
#include "platform/Connection.h"
#include "platform/Recordset.h"
#include "text/Edition.h"

#include <QSqlError>
#include <QSqlQuery>

namespace ChartQuery {

namespace {

std::optional<double> numberOf(const QVariant& value)
{
    if (value.isNull())
        return std::nullopt;
    bool ok = false;
    const double d = value.toDouble(&ok);
    return ok ? std::optional<double>(d) : std::nullopt;
}

} // namespace

QString plainSelect()
{
    using AmbSchema::Column;
    const QStringList fields = {AmbSchema::column(Column::Id), AmbSchema::column(Column::Sys),
                                AmbSchema::column(Column::Dia), AmbSchema::column(Column::Map),
                                AmbSchema::column(Column::Pulse)};
    return QStringLiteral("select %1 from %2").arg(fields.join(QLatin1Char(',')), QLatin1String(AmbSchema::kTable));
}

std::shared_ptr<Recordset> open(const QString& path, QString* error)
{
    auto connection = std::make_shared<Connection>();
    if (!connection->openFile(path)) {
        if (error)
            *error = connection->lastError();
        return nullptr;
    }
    auto rows = std::make_shared<Recordset>();
    if (!rows->open(plainSelect(), connection)) {
        if (error)
            *error = rows->lastError();
        return nullptr;
    }
    return rows;
}

std::optional<std::vector<ChartRow>> readRows(const Connection& connection, qint64 start, int count,
                                              QString* error)
{
    QSqlQuery query(connection.database());
    query.setForwardOnly(true);
    const QString sql = plainSelect()
        + QStringLiteral(" order by %1 limit %2 offset %3").arg(Edition::current().colId()).arg(count).arg(start);
    if (!query.exec(sql)) {
        if (error)
            *error = query.lastError().databaseText().isEmpty() ? query.lastError().text()
                                                                : query.lastError().databaseText();
        return std::nullopt;
    }
    std::vector<ChartRow> rows;
    while (query.next()) {
        ChartRow row;
        if (const std::optional<double> id = numberOf(query.value(0)))
            row.id = qint64(*id);
        row.sys = numberOf(query.value(1));
        row.dia = numberOf(query.value(2));
        row.map = numberOf(query.value(3));
        row.pulse = numberOf(query.value(4));
        rows.push_back(row);
    }
    return rows;
}

qint64 positionOfRecord(const Recordset& records, qint64 id)
{
    const int column = records.fieldIndex(Edition::current().colId());
    if (column < 0)
        return 0;
    for (qint64 row = 0; row < records.rowCount(); ++row)
        if (records.numberAt(row, column) == double(id))
            return row + 1;
    return 0;
}

} // namespace ChartQuery
