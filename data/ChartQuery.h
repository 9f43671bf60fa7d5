#pragma once
// The chart windows' query: on its own connection to the data file, one
// row per record in ascending record number with the fields record number,
// SYS_mmHg, DIA_mmHg, MAP_mmHg and the pulse field of the edition. Without
// a shaping engine this is what the shaped query delivers, since the record
// number is unique.
//
// A chart draws at most 30 records at a time: readRows fetches only those,
// so a scroll step costs the same in a file of any size.
#include <QString>

#include <memory>
#include <optional>
#include <vector>

class Connection;
class Recordset;

// One row of the chart query; a value is empty when missing or not a number.
struct ChartRow {
    std::optional<qint64> id;
    std::optional<double> sys, dia, map, pulse;
};

namespace ChartQuery {

// The plain select that stands for the edition's chart query.
QString plainSelect();

// Opens the chart rows of the data file at path. The record set holds its
// connection: releasing the record set releases both. Null with the reason
// in *error when the file cannot be opened or read.
std::shared_ptr<Recordset> open(const QString& path, QString* error = nullptr);

// The chart rows after the first `start` rows, at most `count`, read on an
// open connection. Empty with the reason in *error when the query fails.
std::optional<std::vector<ChartRow>> readRows(const Connection& connection, qint64 start, int count,
                                              QString* error = nullptr);

// 1-based position in records of the record with this record number; 0
// when there is none.
qint64 positionOfRecord(const Recordset& records, qint64 id);

} // namespace ChartQuery
