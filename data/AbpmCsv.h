#pragma once
// The readings of a data file as a CSV file that spreadsheets and other
// tools read as it is (R's bp package: process_data(x, bp_type = "abpm",
// sbp = "SBP", dbp = "DBP", date_time = "DATE_TIME", hr = "HR", map = "MAP",
// wake = "WAKE")): UTF-8, lines ended by CR LF, one header line
//
//     ID,NR,DATE_TIME,SBP,DBP,MAP,HR,WAKE
//
// and one line per record in record order, artefacts included. ID is the
// subject, the same in every line, so that a tool takes the recording as
// one subject; NR is the record number. DATE_TIME is
// "yyyy-MM-dd HH:mm:ss"; numbers are written with a point and up to 15
// significant digits; an empty value is an empty field. WAKE says whether
// the patient was awake: 1 for a reading in the day period given, 0 in the
// night period, empty when the reading has no time or lies in neither (own
// periods with a gap between them). The caller gives the patient's day and
// night: the diary's when the details have one, else the wide split the
// user set (never the narrow periods, which leave the hours of getting up
// and going to bed out of both). Only ID can need quoting; it is quoted as
// RFC 4180 says when it holds a comma, a quote or a line break.
#include "data/AbpmPeriods.h"
#include "data/AbpmReadings.h"

#include <QByteArray>
#include <QString>

#include <span>

namespace AbpmCsv {

QByteArray text(std::span<const AbpmReading> readings, const AbpmPeriods& periods, const QString& subject);
// The subject of a recording: the patient's number, or the data file's
// name without its extension when none is given.
QString subjectOf(const QString& patientNumber, const QString& dataFile);

// Writes the text to path through a temporary file beside it that is
// renamed into place, so the file is whole or, on failure, as it was.
// False with the reason in *error.
bool write(const QString& path, std::span<const AbpmReading> readings, const AbpmPeriods& periods,
           const QString& subject, QString* error);

} // namespace AbpmCsv
