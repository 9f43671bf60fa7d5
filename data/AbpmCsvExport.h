#pragma once
// File > Export CSV: asks for a file name, asks before replacing a file,
// and writes the open data file's readings there as CSV (AbpmCsv.h), WAKE
// from the day and night periods of the ABPM summary. Never replaces the
// open data file, a database file or anything that is not a regular file;
// a file that cannot be written is named with the reason.
#include <QString>

class QWidget;

namespace AbpmCsvExport {

// Runs the command while a data file is ready; parent owns the dialogs.
void exportCsv(QWidget* parent);

// What every export to a file does (the FHIR export too): the save dialog
// in the data file's folder with its name and the export's suffix; why the target
// must not be written (the open data file, a database, not a regular
// file), or empty; and, for a file that exists, whether the user lets it be
// replaced.
QString chooseTarget(QWidget* parent, const char* titleKey, const char* filterKey, const QString& suffix);
QString refusalOf(const QString& path);
bool confirmReplace(QWidget* parent, const QString& path);

} // namespace AbpmCsvExport
