#pragma once
// Shared steps of the tables the program keeps beside ambpdata (recording
// details, review, conclusion, practice-system origin): one write
// transaction, whether a table is there, the tables of named values, and
// the current data file's connection.
#include <QSqlDatabase>
#include <QString>

#include <QHash>

#include <functional>
#include <memory>
#include <optional>
#include <utility>
#include <vector>

class Connection;
class QSqlQuery;

// Runs steps between BEGIN IMMEDIATE and COMMIT on db; rolls back when a
// step returns false or the commit fails. False with SQLite's words in
// *error then (a reason of the caller's own when it set one in *error).
bool inTransaction(QSqlDatabase db, QString* error, const std::function<bool(QSqlQuery&)>& steps);

// Whether db holds the table; none with *error set when it cannot tell.
std::optional<bool> tableExists(const QSqlDatabase& db, const QString& table, QString* error);

// A table of named values (Field TEXT PRIMARY KEY, Value TEXT NOT NULL):
// the statement that makes it when missing; its fields and values (none
// when there is no such table), none with *error set when it cannot be
// read; and the given fields written over what it holds, in one
// transaction (a null value is written empty).
QString fieldTableSql(const QString& table);
std::optional<QHash<QString, QString>> readFieldTable(const QSqlDatabase& db, const QString& table, QString* error);
using FieldValues = std::vector<std::pair<const char*, QString>>;
bool writeFieldTable(const QSqlDatabase& db, const QString& table, const FieldValues& fields, QString* error);

// The connection of the current data file's record set, the file opened
// afresh when needed (CurrentDataFile says why it cannot be). Null then,
// with *error set to a short reason.
std::shared_ptr<Connection> currentConnection(QString* error);
