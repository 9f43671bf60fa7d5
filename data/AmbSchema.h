#pragma once
// The AMB data file: table ambpdata with the columns of each edition,
// every query text the program sends, and the schema code that makes a
// data file (the template new.amb is made with it).
#include "text/Edition.h"

#include <QString>
#include <QStringList>

namespace AmbSchema {

inline constexpr const char* kTable = "ambpdata";
inline constexpr const char* kTemplateName = "new.amb";

// The columns of ambpdata, in table order; the one place that names them.
enum class Column { Id, Date, Time, Sys, Dia, Map, Pulse, St, Qrs, Mark };
QString column(Column c, EditionId edition);
QString column(Column c); // in the current edition

// The ten columns of ambpdata in an edition, in table order.
QStringList columns(EditionId edition);
// The seven columns of the record query, in query order.
QStringList recordColumns(EditionId edition);
// "create table ambpdata (...)" of an edition.
QString createTableSql(EditionId edition);

// Record query of an edition (the current one when not given).
QString recordQuery(EditionId edition);
QString recordQuery();

// Makes an empty data file of the edition at path (which must not exist).
// False with the reason in *error on failure; nothing is left behind then.
bool createDataFile(const QString& path, EditionId edition, QString* error = nullptr);

} // namespace AmbSchema
