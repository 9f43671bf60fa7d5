#include "data/ChartQuery.h"

#include "platform/Connection.h"
#include "platform/Recordset.h"
#include "text/Edition.h"

namespace ChartQuery {

QString plainSelect()
{
    const Edition& e = Edition::current();
    return QStringLiteral("select %1,SYS_mmHg,DIA_mmHg,MAP_mmHg,%2 from ambpdata").arg(e.colId(), e.colPulse());
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
