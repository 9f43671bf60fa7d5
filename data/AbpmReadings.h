#pragma once
// The readings of a data file as the ABPM summary and the CSV export take
// them: per record its number, its moment (date plus time of day) and the
// four measured values, in record order.
#include <QDateTime>
#include <QString>

#include <optional>
#include <vector>

class Recordset;

struct AbpmReading {
    std::optional<qint64> id;
    // Date plus time as written, without a time zone: a night across a
    // change of daylight saving time keeps its clock times. Invalid when
    // the date or the time is missing.
    QDateTime moment;
    std::optional<double> sys, dia, map, pulse;
};

// Every record of the set, in its order, read without moving its cursor; a
// record being added (not stored yet) is left out. Empty with the reason
// in *error when a column is missing.
std::optional<std::vector<AbpmReading>> abpmReadingsOf(const Recordset& records, QString* error);
