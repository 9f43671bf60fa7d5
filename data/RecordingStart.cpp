#include "data/RecordingStart.h"

#include "data/AmbSchema.h"
#include "data/RecordingDetailsStore.h"
#include "platform/Connection.h"
#include "platform/Recordset.h"

QDateTime earliestReadingOf(const Recordset& records)
{
    const int date = records.fieldIndex(AmbSchema::column(AmbSchema::Column::Date));
    const int time = records.fieldIndex(AmbSchema::column(AmbSchema::Column::Time));
    if (date < 0 || time < 0)
        return QDateTime();
    const qint64 adding = records.editMode() == Recordset::EditAdd ? records.currentRow() : -1;
    QDateTime earliest;
    for (qint64 row = 0; row < records.recordCount(); ++row) {
        if (row == adding)
            continue;
        const QDate d = records.valueAt(row, date).toDate();
        const QTime t = records.valueAt(row, time).toTime();
        if (!d.isValid() || !t.isValid())
            continue;
        const QDateTime moment(d, t, Qt::UTC);
        if (!earliest.isValid() || moment < earliest)
            earliest = moment;
    }
    return earliest;
}

RecordingDetails withRecordingStart(RecordingDetails details, const QDateTime& earliestReading)
{
    if (!details.recordingStart.isValid())
        details.recordingStart = earliestReading;
    return details;
}

QDateTime recordingStartOf(const RecordingDetails& details, const std::shared_ptr<Connection>& connection)
{
    if (details.recordingStart.isValid())
        return details.recordingStart;
    Recordset records;
    if (!records.open(AmbSchema::recordQuery(), connection))
        return QDateTime();
    return earliestReadingOf(records);
}

bool namesPatient(const RecordingDetails& details)
{
    return details.hasPatient() || details.birthDate.isValid();
}

QString patientHeadlineOf(const Recordset& records)
{
    const std::shared_ptr<Connection> connection = records.connection();
    if (!connection || !connection->isOpen())
        return QString();
    const std::optional<RecordingDetails> details = RecordingDetailsStore::read(*connection);
    if (!details || !namesPatient(*details))
        return QString();
    if (details->recordingStart.isValid())
        return detailsHeadline(*details);
    return detailsHeadline(withRecordingStart(*details, earliestReadingOf(records)));
}
