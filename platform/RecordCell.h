#pragma once
// One value of a record set row, kept small (16 bytes) so that a file of
// 100,000 records reads fast and row access by index stays cheap. Texts
// live beside the cells in a list that the cell points into.
#include "platform/ColumnType.h"

#include <QString>
#include <QVariant>

#include <optional>
#include <vector>

struct RecordCell {
    enum Tag : quint8 { Null, Integer, Real, Date, Time, Boolean, Text };
    union {
        qint64 i = 0; // Integer, Boolean (0/1), Date (Julian day), Time (ms of the day), Text (index)
        double d;     // Real
    };
    Tag tag = Null;
};

using RecordTexts = std::vector<QString>;

// The value in the form the program uses (qlonglong, double, QDate, QTime,
// bool, QString; an invalid QVariant for an empty value).
QVariant cellValue(const RecordCell& cell, const RecordTexts& texts);
// A value accepted for a column (see acceptColumnValue) as a cell.
RecordCell cellFromValue(const QVariant& value, RecordTexts& texts);
// The number a cell holds (a number, or a text that reads as one); none
// for an empty or other value.
std::optional<double> cellNumber(const RecordCell& cell, const RecordTexts& texts);
