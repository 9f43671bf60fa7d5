#include "data/RecordingDetailsStore.h"

#include "data/CurrentDataFile.h"
#include "data/DataTransaction.h"
#include "platform/Connection.h"
#include "platform/Recordset.h"

#include <QSqlQuery>
#include <QStringList>

#include <functional>

namespace RecordingDetailsStore {

namespace {

const QString kDateForm = QStringLiteral("yyyy-MM-dd");
const QString kTimeForm = QStringLiteral("HH:mm");
const QString kStartForm = QStringLiteral("yyyy-MM-ddTHH:mm");

const char* const kSexCodes[] = {"unknown", "female", "male", "diverse"};

// One stored field: its key in the table, how its value is written, and
// how a stored text is read back into the details.
struct FieldCodec {
    const char* key;
    std::function<QString(const RecordingDetails&)> text;
    std::function<void(RecordingDetails&, const QString&)> take;
};

FieldCodec textField(const char* key, QString RecordingDetails::*member)
{
    return {key, [member](const RecordingDetails& d) { return d.*member; },
            [member](RecordingDetails& d, const QString& v) { d.*member = v; }};
}

FieldCodec timeField(const char* key, QTime RecordingDetails::*member)
{
    return {key, [member](const RecordingDetails& d) { return (d.*member).isValid() ? (d.*member).toString(kTimeForm) : QString(); },
            [member](RecordingDetails& d, const QString& v) { d.*member = QTime::fromString(v, kTimeForm); }};
}

FieldCodec pressureField(const char* key, std::optional<int> RecordingDetails::*member)
{
    return {key,
            [member](const RecordingDetails& d) { return d.*member ? QString::number(*(d.*member)) : QString(); },
            [member](RecordingDetails& d, const QString& v) {
                bool ok = false;
                const int n = v.toInt(&ok);
                d.*member = ok ? std::optional<int>(n) : std::nullopt;
            }};
}

const std::vector<FieldCodec>& codecs()
{
    static const std::vector<FieldCodec> all = {
        textField("PatientNumber", &RecordingDetails::patientNumber),
        textField("Surname", &RecordingDetails::surname),
        textField("FirstName", &RecordingDetails::firstName),
        {"BirthDate", [](const RecordingDetails& d) { return d.birthDate.isValid() ? d.birthDate.toString(kDateForm) : QString(); },
         [](RecordingDetails& d, const QString& v) { d.birthDate = QDate::fromString(v, kDateForm); }},
        {"Sex", [](const RecordingDetails& d) { return d.sex == PatientSex::Unknown ? QString() : QString::fromLatin1(kSexCodes[int(d.sex)]); },
         [](RecordingDetails& d, const QString& v) {
             for (int i = 0; i < 4; ++i)
                 if (v == QLatin1String(kSexCodes[i]))
                     d.sex = PatientSex(i);
         }},
        {"RecordingStart",
         [](const RecordingDetails& d) { return d.recordingStart.isValid() ? d.recordingStart.toString(kStartForm) : QString(); },
         [](RecordingDetails& d, const QString& v) {
             const QDateTime t = QDateTime::fromString(v, kStartForm);
             if (t.isValid())
                 d.recordingStart = QDateTime(t.date(), t.time(), Qt::UTC);
         }},
        timeField("Bedtime", &RecordingDetails::bedtime),
        timeField("WakeUp", &RecordingDetails::wakeUp),
        pressureField("OfficeSys", &RecordingDetails::officeSys),
        pressureField("OfficeDia", &RecordingDetails::officeDia),
        textField("Physician", &RecordingDetails::physician),
        textField("Indication", &RecordingDetails::indication),
        textField("Medication", &RecordingDetails::medication),
        textField("Comment", &RecordingDetails::comment),
    };
    return all;
}

} // namespace

std::optional<RecordingDetails> read(const Connection& connection, QString* error)
{
    const auto values = readFieldTable(connection.database(), QLatin1String(kTable), error);
    if (!values)
        return std::nullopt;
    RecordingDetails d;
    for (const FieldCodec& c : codecs())
        if (const auto v = values->constFind(QLatin1String(c.key)); v != values->constEnd())
            c.take(d, *v);
    return d;
}

bool write(Connection& connection, const RecordingDetails& details, QString* error)
{
    return inTransaction(connection.database(), error, [&details](QSqlQuery& q) {
        if (!q.exec(fieldTableSql(QLatin1String(kTable))))
            return false;
        QStringList known;
        for (const FieldCodec& c : codecs())
            known << QLatin1Char('\'') + QLatin1String(c.key) + QLatin1Char('\'');
        if (!q.exec(QStringLiteral("delete from %1 where Field in (%2)").arg(QLatin1String(kTable), known.join(QLatin1Char(',')))))
            return false;
        if (!q.prepare(QStringLiteral("insert into %1 (Field, Value) values (?, ?)").arg(QLatin1String(kTable))))
            return false;
        for (const FieldCodec& c : codecs()) {
            const QString value = c.text(details);
            if (value.isEmpty())
                continue;
            q.addBindValue(QLatin1String(c.key));
            q.addBindValue(value);
            if (!q.exec())
                return false;
        }
        return true;
    });
}

std::optional<RecordingDetails> readCurrent(QString* error)
{
    const std::shared_ptr<Connection> connection = currentConnection(error);
    return connection ? read(*connection, error) : std::nullopt;
}

bool writeCurrent(const RecordingDetails& details, QString* error)
{
    const std::shared_ptr<Connection> connection = currentConnection(error);
    return connection && write(*connection, details, error);
}

} // namespace RecordingDetailsStore
