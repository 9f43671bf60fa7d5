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

QString fieldTableSql(const QString& table)
{
    return QStringLiteral("create table if not exists %1 (Field TEXT PRIMARY KEY NOT NULL, Value TEXT NOT NULL)")
        .arg(table);
}

std::optional<QHash<QString, QString>> readFieldTable(const QSqlDatabase& db, const QString& table, QString* error)
{
    const std::optional<bool> exists = tableExists(db, table, error);
    if (!exists)
        return std::nullopt;
    QHash<QString, QString> values;
    if (!*exists)
        return values;
    QSqlQuery q(db);
    if (!q.exec(QStringLiteral("select Field, Value from %1").arg(table))) {
        if (error)
            *error = q.lastError().text();
        return std::nullopt;
    }
    while (q.next())
        values.insert(q.value(0).toString(), q.value(1).toString());
    return values;
}

bool writeFieldTable(const QSqlDatabase& db, const QString& table, const FieldValues& fields, QString* error)
{
    return inTransaction(db, error, [&table, &fields](QSqlQuery& q) {
        if (!q.exec(fieldTableSql(table)))
            return false;
        if (!q.prepare(QStringLiteral("insert or replace into %1 (Field, Value) values (?, ?)").arg(table)))
            return false;
        for (const auto& [field, value] : fields) {
            q.addBindValue(QLatin1String(field));
            q.addBindValue(value.isNull() ? QStringLiteral("") : value); // NOT NULL
            if (!q.exec())
                return false;
        }
        return true;
    });
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
