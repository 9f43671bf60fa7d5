#pragma once
// Reads every row of a query into record cells straight from SQLite: the
// record set's snapshot of a large file is read several times faster this
// way than value by value through QSqlQuery.
#include "platform/RecordCell.h"

#include <QSqlDatabase>
#include <QStringList>

#include <functional>

#include <vector>

struct SqliteRows {
    QStringList names;              // column names of the result
    std::vector<RecordCell> cells;  // row after row
    RecordTexts texts;
    qint64 rows = 0;
};

// kinds: the kind of each result column, looked up by name (missing names
// read as Text). False with the reason in *error.
bool readSqliteRows(const QSqlDatabase& db, const QString& sql,
                    const std::function<ColumnKind(const QString&)>& kindOf, SqliteRows* out,
                    QString* error);
