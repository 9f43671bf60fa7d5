#pragma once
// The conclusion of the ABPM report: the draft the program writes from the
// figures in the edition's language, and the conclusion the doctor signed
// off, kept in the data file (table ambpconclusion beside ambpdata: Field,
// Value as text, the way the recording details are kept), made by the first
// write, each write one transaction. A file without the table has no
// conclusion and is never changed by reading.
//
// The draft names the time-weighted 24-hour mean against its threshold
// (and, when it is below, the awake and asleep means that reach theirs),
// each figure to one decimal as the table shows it and each pressure at or
// above its threshold by name, the verdict with the set of thresholds, the
// systolic and diastolic dipping class, the office class when there is an
// office pressure, and a recording that is not fit for diagnosis:
// "24-hour mean (time-weighted) 131.2/79.6 mmHg, systolic 131.2 at or above
// 130: ambulatory hypertension (ESH thresholds); systolic dipper, diastolic
// non-dipper."
#include "data/AbpmReportFigures.h"

#include <QDate>
#include <QString>

#include <optional>

class Connection;

struct AbpmConclusion {
    QString text;
    QDate date;        // the day it was written
    QString physician; // who wrote it

    bool operator==(const AbpmConclusion&) const = default;
};

// The draft in the current edition.
QString draftConclusion(const AbpmReportFigures& figures);

namespace AbpmConclusionStore {

inline constexpr const char* kTable = "ambpconclusion";

// The stored conclusion; none stored gives an empty one. None with *error
// when the table cannot be read.
std::optional<AbpmConclusion> read(const Connection& connection, QString* error = nullptr);
// False with *error when the write failed; the file then holds what it held.
bool write(Connection& connection, const AbpmConclusion& conclusion, QString* error = nullptr);

// The same on the current data file.
std::optional<AbpmConclusion> readCurrent(QString* error = nullptr);
bool writeCurrent(const AbpmConclusion& conclusion, QString* error = nullptr);

} // namespace AbpmConclusionStore
