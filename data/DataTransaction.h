#pragma once
// Shared steps of the tables the program keeps beside ambpdata (recording
// details, review): one write transaction, whether a table is there, and
// the current data file's connection.
#include <QSqlDatabase>
#include <QString>

#include <functional>
#include <memory>
#include <optional>

class Connection;
class QSqlQuery;

// Runs steps between BEGIN IMMEDIATE and COMMIT on db; rolls back when a
// step returns false or the commit fails. False with SQLite's words in
// *error then (a reason of the caller's own when it set one in *error).
bool inTransaction(QSqlDatabase db, QString* error, const std::function<bool(QSqlQuery&)>& steps);

// Whether db holds the table; none with *error set when it cannot tell.
std::optional<bool> tableExists(const QSqlDatabase& db, const QString& table, QString* error);

// The connection of the current data file's record set, the file opened
// afresh when needed (CurrentDataFile says why it cannot be). Null then,
// with *error set to a short reason.
std::shared_ptr<Connection> currentConnection(QString* error);
