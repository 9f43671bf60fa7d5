#pragma once
// What the ABPM report and the FHIR export read from the current data file:
// the readings, the recording details, the readings set aside, the day and
// night periods and the set of thresholds in force (settings store) and
// the kept conclusion; and
// the practice line the report's settings keep. Each
// opens the file through CurrentDataFile, which says why it cannot.
#include "data/AbpmConclusion.h"
#include "data/AbpmPeriods.h"
#include "data/AbpmReadings.h"
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

// The report's practice line in the settings store (section "Report", key
// "PRACTICE"), printed at the head of the report; both editions share it.
namespace ReportSettings {
inline constexpr const char* kSection = "Report";
inline constexpr const char* kPractice = "PRACTICE";
QString practice();
// False, with the reason in *why, when the store refused it.
bool storePractice(const QString& text, QString* why = nullptr);
} // namespace ReportSettings
