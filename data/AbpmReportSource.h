#pragma once
// What the ABPM report and the FHIR export read from the current data file:
// the readings, the recording details, the readings set aside, the day and
// night periods and the set of thresholds in force (settings store) and
// the kept conclusion; and
// the practice line the report's settings keep. Each
// opens the file through CurrentDataFile, which says why it cannot.
//
// The same inputs come from any data file by its path (the recordings of a
// folder, recordings compared): opened for reading only, through the same
// row readers, so that what is shown of it equals its own ABPM summary.
#include "data/AbpmConclusion.h"
#include "data/AbpmPeriods.h"
#include "data/AbpmReadings.h"
#include "data/GdtOrigin.h"
#include "data/AmbFileCheck.h"
#include "data/RecordingDetails.h"
#include "data/RecordingReview.h"

#include <QString>

#include <optional>
#include <vector>

struct AbpmReportSource {
    QString dataFile;
    std::vector<AbpmReading> readings;
    RecordingDetails details;
    SetAsideReadings setAside;
    AbpmPeriods periods;
    AbpmThresholdSet thresholds = AbpmThresholdSet::Esh;
    AbpmConclusion conclusion;
};

// None with the reason in *error when a part cannot be read.
std::optional<AbpmReportSource> readAbpmReportSource(QString* error);

// A data file read by its path: the source, or why not (status).
struct AbpmSourceAt {
    std::optional<AbpmReportSource> source;
    // Whether the practice system gave the patient, and its result's state.
    std::optional<GdtOrigin> origin;
    AmbFileStatus status;
};
// Reads the file at path for reading only (Connection::openFileReadOnly:
// nothing is written or left beside it; a file with a journal is
// Unfinished, a locked one InUse) with the periods and thresholds given. Touches no
// settings and no shared state, so a worker thread may call it.
AbpmSourceAt readAbpmReportSourceFrom(const QString& path, const AbpmPeriodChoice& choice,
                                      int busyTimeoutMs = 3000);
// The same with the periods in force (settings store); none with the
// reason in the current edition's words in *why.
std::optional<AbpmReportSource> readAbpmReportSourceAt(const QString& path, QString* why = nullptr);

// The report's practice line in the settings store (section "Report", key
// "PRACTICE"), printed at the head of the report; both editions share it.
namespace ReportSettings {
inline constexpr const char* kSection = "Report";
inline constexpr const char* kPractice = "PRACTICE";
QString practice();
// False, with the reason in *why, when the store refused it.
bool storePractice(const QString& text, QString* why = nullptr);
} // namespace ReportSettings
