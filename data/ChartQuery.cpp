#include "data/ChartQuery.h"

#include "data/AmbSchema.h"
#include "platform/Connection.h"
#include "platform/Recordset.h"
#include "text/Edition.h"

namespace ChartQuery {

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

} // namespace ChartQuery
