#pragma once
// The kinds of value a data-file column holds, taken from the column's
// declared type, and the checks that keep a value the column cannot hold
// out of the file: a refused value names the column and the reason.
#include <QString>
#include <QVariant>

enum class ColumnKind {
    Integer16, // SMALLINT: whole numbers -32768..32767
    Integer,   // INTEGER: whole numbers (64-bit)
    Real,      // DOUBLE / REAL / FLOAT
    Date,      // DATE: a calendar date without a time of day, stored as yyyy-MM-dd
    Time,      // TIME: a time of day without a date, stored as HH:mm:ss
    Boolean,   // BOOLEAN / BIT: yes or no, stored as 1 / 0
    Text,      // anything else
};

struct ColumnInfo {
    QString name;
    ColumnKind kind = ColumnKind::Text;
    bool primaryKey = false; // given by the file, never written by the program
};

// Kind of a declared SQL column type ("SMALLINT", "date", "DOUBLE", ...).
ColumnKind columnKindOf(const QString& declaredType);

// Checks and converts a value written to a column. An empty text or a null
// value becomes null. On refusal returns false and sets *error to
// "<column>: <why>".
bool acceptColumnValue(const ColumnInfo& column, const QVariant& value, QVariant* accepted,
                       QString* error);

// The value as it is written to the file.
QVariant columnValueToStored(ColumnKind kind, const QVariant& value);
