#include "data/GdtOrigin.h"

#include "data/DataTransaction.h"
#include "platform/Connection.h"


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
    const auto values = readFieldTable(connection.database(), QLatin1String(kTable), error);
    if (!values)
        return std::nullopt;
    const auto value = [&values](const char* field) { return values->value(QLatin1String(field)); };
    GdtOrigin o;
    o.patientNumber = value(kPatientNumber);
    o.ownId = value(kOwnId);
    o.pvsId = value(kPvsId);
    o.taken = momentOf(value(kTaken));
    o.resultDue = value(kResultDue) != u"NO"; // unclear: rather due than forgotten
    o.sent = momentOf(value(kSent));
    o.sentAs = value(kSentAs);
    if (o.patientNumber.isEmpty())
        return std::nullopt;
    return o;
}

bool write(Connection& connection, const GdtOrigin& o, QString* error)
{
    return writeFieldTable(connection.database(), QLatin1String(kTable),
                           {
                               {kPatientNumber, o.patientNumber},
                               {kOwnId, o.ownId},
                               {kPvsId, o.pvsId},
                               {kTaken, momentText(o.taken)},
                               {kResultDue, o.resultDue ? QStringLiteral("YES") : QStringLiteral("NO")},
                               {kSent, momentText(o.sent)},
                               {kSentAs, o.sentAs},
                           },
                           error);
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
