#pragma once
// The doctor's review of a recording: readings set aside from the analysis,
// each with a reason, kept in the data file in table ambpreview (RecordID,
// Reason, Note) beside ambpdata, made by the first change. A set-aside
// reading stays in ambpdata untouched; taking it back removes its row.
// Each change is one transaction. A file without the table has no
// readings set aside.
#include <QString>

#include <map>
#include <optional>

class Connection;

enum class SetAsideReason { Artefact, PatientMoved, PatientReport, Other };
inline constexpr int kSetAsideReasonCount = 4;

struct SetAside {
    SetAsideReason reason = SetAsideReason::Artefact;
    QString note; // needed for Other, optional for the rest

    bool operator==(const SetAside&) const = default;
};

// By the reading's record number (ID, Nr_ in the German edition).
using SetAsideReadings = std::map<qint64, SetAside>;

namespace RecordingReview {

inline constexpr const char* kTable = "ambpreview";

// The reason's name in the current edition.
QString reasonText(SetAsideReason reason);
// "Set aside: <reason> (<note>)" in the current edition.
QString setAsideText(const SetAside& mark);
// Why the mark cannot be stored (Other without a text), in the current
// edition; none when it can.
std::optional<QString> problemOf(const SetAside& mark);

// The marks of readings that are in the file (a mark of a deleted reading
// is left out). None with *error when the table cannot be read.
std::optional<SetAsideReadings> read(const Connection& connection, QString* error = nullptr);
// Sets the reading aside (or changes its reason). False with *error when
// there is no such reading, the mark has a problem, or the write failed.
bool setAside(Connection& connection, qint64 readingId, const SetAside& mark, QString* error = nullptr);
// Takes the reading back into the analysis; true when it was not set aside.
bool takeBack(Connection& connection, qint64 readingId, QString* error = nullptr);

// The same on the current data file (opened through CurrentDataFile).
std::optional<SetAsideReadings> readCurrent(QString* error = nullptr);
bool setAsideCurrent(qint64 readingId, const SetAside& mark, QString* error = nullptr);
bool takeBackCurrent(qint64 readingId, QString* error = nullptr);

} // namespace RecordingReview
