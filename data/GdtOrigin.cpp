#include "data/GdtOrigin.h"

#include "data/DataTransaction.h"
#include "platform/Connection.h"

#include <QSqlError>
#include <QSqlQuery>

namespace GdtOriginStore {

namespace {

const char* const kPatientNumber = "PatientNumber";
const char* const kOwnId = "OwnID";
const char* const kPvsId = "PvsID";
const char* const kTaken = "Taken";
const char* const kResultDue = "ResultDue";
const char* const kSent = "Sent";
const char* const kSentAs = "SentAs";

QString momentText(const QDateTime& moment)
{
    return moment.isValid() ? moment.toUTC().toString(Qt::ISODate) : QStringLiteral("");
}

QDateTime momentOf(const QString& text)
{
    QDateTime moment = QDateTime::fromString(text, Qt::ISODate);
    return moment.isValid() ? moment.toUTC() : QDateTime();
}

} // namespace

std::optional<GdtOrigin> read(const Connection& connection, QString* error)
{
    const QSqlDatabase db = connection.database();
    const std::optional<bool> exists = tableExists(db, QLatin1String(kTable), error);
    if (!exists || !*exists)
        return std::nullopt;
    QSqlQuery q(db);
    if (!q.exec(QStringLiteral("select Field, Value from %1").arg(QLatin1String(kTable)))) {
        if (error)
            *error = q.lastError().text();
        return std::nullopt;
    }
    GdtOrigin o;
    while (q.next()) {
        const QString field = q.value(0).toString();
        const QString value = q.value(1).toString();
        if (field == QLatin1String(kPatientNumber))
            o.patientNumber = value;
        else if (field == QLatin1String(kOwnId))
            o.ownId = value;
        else if (field == QLatin1String(kPvsId))
            o.pvsId = value;
        else if (field == QLatin1String(kTaken))
            o.taken = momentOf(value);
        else if (field == QLatin1String(kResultDue))
            o.resultDue = value != u"NO"; // unclear: rather due than forgotten
        else if (field == QLatin1String(kSent))
            o.sent = momentOf(value);
        else if (field == QLatin1String(kSentAs))
            o.sentAs = value;
    }
    if (o.patientNumber.isEmpty())
        return std::nullopt;
    return o;
}

bool write(Connection& connection, const GdtOrigin& o, QString* error)
{
    return inTransaction(connection.database(), error, [&o](QSqlQuery& q) {
        const QString table = QLatin1String(kTable);
        if (!q.exec(QStringLiteral("create table if not exists %1 (Field TEXT PRIMARY KEY NOT NULL, Value TEXT NOT NULL)")
                        .arg(table)))
            return false;
        if (!q.prepare(QStringLiteral("insert or replace into %1 (Field, Value) values (?, ?)").arg(table)))
            return false;
        const std::pair<const char*, QString> fields[] = {
            {kPatientNumber, o.patientNumber},
            {kOwnId, o.ownId},
            {kPvsId, o.pvsId},
            {kTaken, momentText(o.taken)},
            {kResultDue, o.resultDue ? QStringLiteral("YES") : QStringLiteral("NO")},
            {kSent, momentText(o.sent)},
            {kSentAs, o.sentAs},
        };
        for (const auto& [field, value] : fields) {
            q.addBindValue(QLatin1String(field));
            q.addBindValue(value.isNull() ? QStringLiteral("") : value); // NOT NULL
            if (!q.exec())
                return false;
        }
        return true;
    });
}

std::optional<GdtOrigin> readCurrent(QString* error)
{
    const std::shared_ptr<Connection> connection = currentConnection(error);
    return connection ? read(*connection, error) : std::nullopt;
}

bool writeCurrent(const GdtOrigin& origin, QString* error)
{
    const std::shared_ptr<Connection> connection = currentConnection(error);
    return connection && write(*connection, origin, error);
}

} // namespace GdtOriginStore
