#pragma once
// The readings of a data file as a CSV file that spreadsheets and other
// tools read as it is (R's bp package: process_data(x, bp_type = "abpm",
// sbp = "SBP", dbp = "DBP", date_time = "DATE_TIME", hr = "HR", map = "MAP",
// wake = "WAKE")): UTF-8, lines ended by CR LF, one header line
//
//     ID,DATE_TIME,SBP,DBP,MAP,HR,WAKE
//
// and one line per record in record order, artefacts included. DATE_TIME is
// "yyyy-MM-dd HH:mm:ss"; numbers are written with a point and up to 15
// significant digits; an empty value is an empty field. WAKE is 0 for a
// reading in the night period and 1 otherwise (a tool needs 0 or 1 in every
// row, so a reading between the narrow periods counts as awake); it is
// empty only when the reading has no time. No field needs quoting.
#include "data/AbpmPeriods.h"
#include "data/AbpmReadings.h"

#include <QByteArray>
#include <QString>

#include <span>

namespace AbpmCsv {

QByteArray text(std::span<const AbpmReading> readings, const AbpmPeriods& periods);

// Writes the text to path through a temporary file beside it that is
// renamed into place, so the file is whole or, on failure, as it was.
// False with the reason in *error.
bool write(const QString& path, std::span<const AbpmReading> readings, const AbpmPeriods& periods,
           QString* error);

} // namespace AbpmCsv
