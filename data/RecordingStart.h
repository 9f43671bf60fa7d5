#pragma once
// When a recording started, and the line that names it where a caption or
// a printed line of the program has a text of its own. The start is the
// one the user (or the practice system) gave in the details; when none was
// given it is the moment of the recording's earliest reading, worked out
// whenever it is asked for and never written into the file, so that a file
// holds no table its user did not ask for.
#include "data/RecordingDetails.h"

#include <QDateTime>
#include <QString>

#include <memory>

class Connection;
class Recordset;

// The moment (date plus time, kept as UTC like every reading's) of the
// earliest reading of the set; invalid when no reading has both. A record
// being added is not a reading yet.
QDateTime earliestReadingOf(const Recordset& records);

// The details with their start, or the earliest reading's moment when none
// was given.
RecordingDetails withRecordingStart(RecordingDetails details, const QDateTime& earliestReading);

// The start of the recording in the file open on connection; invalid when
// the details give none and no reading can be read.
QDateTime recordingStartOf(const RecordingDetails& details, const std::shared_ptr<Connection>& connection);

// Whether the details name the patient (name, number or birth date).
bool namesPatient(const RecordingDetails& details);

// The line naming the patient and the recording (detailsHeadline, with the
// start as above) of the file the set is open on, for the list window's
// caption, the list report's page foot and the chart's printed status
// line. Empty unless the details name the patient, so that for every other
// file these read exactly as they always have; empty too when the details
// cannot be read.
QString patientHeadlineOf(const Recordset& records);
