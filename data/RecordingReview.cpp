#include "data/RecordingReview.h"

#include "data/AmbSchema.h"
#include "data/DataTransaction.h"
#include "platform/Connection.h"
#include "text/MessageCatalogue.h"

#include <QSqlError>
#include <QSqlQuery>

namespace RecordingReview {

namespace {

// As stored in the Reason column; an unknown code reads as Other.
const char* const kReasonCodes[] = {"artefact", "moved", "report", "other"};
const char* const kReasonKeys[] = {"review.reasonArtefact", "review.reasonMoved", "review.reasonReport",
                                   "review.reasonOther"};

SetAsideReason reasonOf(const QString& code)
{
    for (int i = 0; i < kSetAsideReasonCount; ++i)
        if (code == QLatin1String(kReasonCodes[i]))
            return SetAsideReason(i);
    return SetAsideReason::Other;
}

QString table()
{
    return QLatin1String(kTable);
}

} // namespace

QString reasonText(SetAsideReason reason)
{
    return catText(kReasonKeys[int(reason)]);
}

QString setAsideText(const SetAside& mark)
{
    const QString reason = mark.note.isEmpty() ? reasonText(mark.reason)
                                               : catText("review.reasonWithNote").arg(reasonText(mark.reason), mark.note);
    return catText("review.setAsideAs").arg(reason);
}

std::optional<QString> problemOf(const SetAside& mark)
{
    if (mark.reason == SetAsideReason::Other && mark.note.trimmed().isEmpty())
        return catText("review.msgOtherNeedsText");
    return std::nullopt;
}

std::optional<SetAsideReadings> read(const Connection& connection, QString* error)
{
    SetAsideReadings marks;
    const QSqlDatabase db = connection.database();
    const std::optional<bool> exists = tableExists(db, table(), error);
    if (!exists)
        return std::nullopt;
    if (!*exists)
        return marks;
    // Only marks of readings the file still holds.
    const QString id = AmbSchema::column(AmbSchema::Column::Id);
    QSqlQuery q(db);
    if (!q.exec(QStringLiteral("select r.RecordID, r.Reason, r.Note from %1 r join %2 d on d.%3 = r.RecordID")
                    .arg(table(), QLatin1String(AmbSchema::kTable), id))) {
        if (error)
            *error = q.lastError().text();
        return std::nullopt;
    }
    while (q.next())
        marks[q.value(0).toLongLong()] = {reasonOf(q.value(1).toString()), q.value(2).toString()};
    return marks;
}

bool setAside(Connection& connection, qint64 readingId, const SetAside& mark, QString* error)
{
    if (const std::optional<QString> why = problemOf(mark)) {
        if (error)
            *error = *why;
        return false;
    }
    return inTransaction(connection.database(), error, [&](QSqlQuery& q) {
        const QString id = AmbSchema::column(AmbSchema::Column::Id);
        if (!q.prepare(QStringLiteral("select 1 from %1 where %2 = ?").arg(QLatin1String(AmbSchema::kTable), id)))
            return false;
        q.addBindValue(readingId);
        if (!q.exec())
            return false;
        if (!q.next()) {
            if (error)
                *error = catText("review.msgNoSuchReading").arg(readingId);
            return false;
        }
        if (!q.exec(QStringLiteral("create table if not exists %1 (RecordID INTEGER PRIMARY KEY NOT NULL, "
                                   "Reason TEXT NOT NULL, Note TEXT NOT NULL DEFAULT '')")
                        .arg(table())))
            return false;
        if (!q.prepare(QStringLiteral("insert or replace into %1 (RecordID, Reason, Note) values (?, ?, ?)").arg(table())))
            return false;
        q.addBindValue(readingId);
        q.addBindValue(QLatin1String(kReasonCodes[int(mark.reason)]));
        q.addBindValue(mark.note.trimmed());
        return q.exec();
    });
}

bool takeBack(Connection& connection, qint64 readingId, QString* error)
{
    const std::optional<bool> exists = tableExists(connection.database(), table(), error);
    if (!exists)
        return false;
    if (!*exists)
        return true;
    return inTransaction(connection.database(), error, [&](QSqlQuery& q) {
        if (!q.prepare(QStringLiteral("delete from %1 where RecordID = ?").arg(table())))
            return false;
        q.addBindValue(readingId);
        return q.exec();
    });
}

std::optional<SetAsideReadings> readCurrent(QString* error)
{
    const std::shared_ptr<Connection> connection = currentConnection(error);
    return connection ? read(*connection, error) : std::nullopt;
}

bool setAsideCurrent(qint64 readingId, const SetAside& mark, QString* error)
{
    const std::shared_ptr<Connection> connection = currentConnection(error);
    return connection && setAside(*connection, readingId, mark, error);
}

bool takeBackCurrent(qint64 readingId, QString* error)
{
    const std::shared_ptr<Connection> connection = currentConnection(error);
    return connection && takeBack(*connection, readingId, error);
}

} // namespace RecordingReview
