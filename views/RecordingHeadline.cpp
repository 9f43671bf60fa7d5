#include "views/RecordingHeadline.h"

#include "data/RecordingStart.h"
#include "platform/Connection.h"
#include "platform/Recordset.h"
#include "state/SharedState.h"

QString currentRecordingHeadline()
{
    const std::shared_ptr<Recordset> records = gRecordset;
    const std::shared_ptr<Connection> connection = records ? records->connection() : nullptr;
    if (!gFileReady || !connection || !connection->isOpen())
        return QString();
    return patientHeadlineOf(*records);
}
