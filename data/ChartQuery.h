#pragma once
// The chart windows' query: on its own connection to the data file, one row per record in ascending record number
// with the fields record number, SYS_mmHg, DIA_mmHg, MAP_mmHg and the pulse
// field of the edition. Without a shaping engine this is what the shaped
// query delivers, since the record number is unique.
#include <QString>

#include <memory>

class Recordset;

namespace ChartQuery {

// The plain select that stands for the edition's chart query.
QString plainSelect();

// Opens the chart rows of the data file at path. The record set holds its
// connection: releasing the record set releases both. Null with the reason
// in *error when the file cannot be opened or read.
std::shared_ptr<Recordset> open(const QString& path, QString* error = nullptr);

} // namespace ChartQuery
