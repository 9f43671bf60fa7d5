#pragma once
// The measurements a simulated recorder holds: read from a CSV file or
// generated as a plausible 24-hour recording.
#include "tools/recorder/RecorderFrames.h"

#include <QDateTime>
#include <QList>
#include <QString>

// CSV lines "month,day,hour,minute,systolic,diastolic,pulse", each value
// 0..255 (out-of-range dates are allowed: a recorder may send them). Blank
// lines, lines starting with '#' and a first line that is not numbers (a
// header) are skipped. On a malformed line the result is empty and *error
// names the line.
QList<BpReading> loadReadingsCsv(const QString& path, QString* error);
QList<BpReading> parseReadingsCsv(const QByteArray& text, QString* error);

// A day and a night of measurements from `start`: every 15 minutes from
// 07:00 to 22:00 (day values around 130/82, pulse around 76), every 30
// minutes at night (around 112/68, pulse around 62), over 24 hours. The
// same seed gives the same recording.
QList<BpReading> generateDayRecording(const QDateTime& start, quint32 seed);
