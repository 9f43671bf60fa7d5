#include "data/DataTransaction.h"

#include "data/CurrentDataFile.h"
#include "platform/Connection.h"
#include "platform/Recordset.h"

#include <QSqlError>
#include <QSqlQuery>

bool inTransaction(QSqlDatabase db, QString* error, const std::function<bool(QSqlQuery&)>& steps)
{
    QString own;
    QString* why = error ? error : &own;
    why->clear();
    if (!db.isValid() || !db.isOpen()) {
        *why = QStringLiteral("the data file is not open");
        return false;
    }
    QSqlQuery q(db);
    if (!q.exec(QStringLiteral("BEGIN IMMEDIATE"))) {
        *why = q.lastError().text();
        return false;
    }
    if (steps(q) && q.exec(QStringLiteral("COMMIT")))
        return true;
    if (why->isEmpty())
        *why = q.lastError().text();
    QSqlQuery(db).exec(QStringLiteral("ROLLBACK"));
    return false;
}

std::optional<bool> tableExists(const QSqlDatabase& db, const QString& table, QString* error)
{
    QSqlQuery q(db);
    if (!q.prepare(QStringLiteral("select 1 from sqlite_master where type = 'table' and name = ?"))) {
        if (error)
            *error = q.lastError().text();
        return std::nullopt;
    }
    q.addBindValue(table);
    if (!q.exec()) {
        if (error)
            *error = q.lastError().text();
        return std::nullopt;
    }
    return q.next();
}

std::shared_ptr<Connection> currentConnection(QString* error)
{
    const std::shared_ptr<Recordset> records = CurrentDataFile::records();
    std::shared_ptr<Connection> connection = records ? records->connection() : nullptr;
    if (!connection || !connection->isOpen()) {
        if (error)
            *error = QStringLiteral("the data file is not open");
        return nullptr;
    }
    return connection;
}
