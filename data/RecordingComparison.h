#pragma once
// The follow-up comparison of two to four recordings of one patient (before
// treatment, after a change of medication, a year later): per recording the
// figures a doctor compares side by side, and the change of each against
// the first recording; and per recording the hourly means on a clock axis
// from noon to noon, so that a night lies unbroken in the middle.
//
// Every figure is the recording's own: its report figures and summary
// (computeAbpmReport, computeAbpmSummary) are computed from its readings,
// periods, details and set-aside readings exactly as its report computes
// them, and the figures are read from them, never worked out again here.
// A change is taken between the figures as the pages write them
// (AbpmSummaryWords), so that it always equals the difference a reader
// works out from the page. The recordings are put oldest first by their
// start (the details' start, else the earliest reading); a recording
// without either keeps its place after those with one.
//
// compareRecordings is a pure function of the recordings.
#include "data/AbpmReportFigures.h"
#include "data/AbpmReportSource.h"

#include <QDateTime>
#include <QString>

#include <array>
#include <optional>
#include <span>
#include <vector>

inline constexpr int kLeastCompared = 2;
inline constexpr int kMostCompared = 4;

// The figures compared by number, in the page's order.
enum class ComparedFigure {
    ValidReadings,
    ValidShare, // percent of all readings, cut to one decimal (abpmValidPercent)
    Sys24, Dia24, SysAwake, DiaAwake, SysAsleep, DiaAsleep,
    SysRatio, DiaRatio, // night mean / day mean
    SysLoad24, DiaLoad24, SysLoadAwake, DiaLoadAwake, SysLoadAsleep, DiaLoadAsleep,
};
inline constexpr int kComparedFigureCount = 16;

// How many decimals the page writes the figure with.
int comparedDecimals(ComparedFigure figure);

struct ComparedRecording {
    QString dataFile;
    RecordingDetails details;
    QDateTime start; // invalid: neither the details nor any reading gives one
    AbpmReportFigures figures; // .summary is the recording's own ABPM summary
    // By ComparedFigure: the figure as its summary or report gives it
    // (none where it has none), and the change against the first
    // recording, as written (none for the first, and where either lacks it).
    std::array<std::optional<double>, kComparedFigureCount> values;
    std::array<std::optional<double>, kComparedFigureCount> changes;
    // The summary's hourly means from the hour 12:00-13:00 to 11:00-12:00.
    std::array<AbpmHour, 24> noonToNoon;

    const std::optional<double>& value(ComparedFigure f) const { return values[size_t(f)]; }
    const std::optional<double>& change(ComparedFigure f) const { return changes[size_t(f)]; }
};

struct RecordingComparison {
    std::vector<ComparedRecording> recordings; // oldest first
    // False when two recordings name different patients (by number, or
    // by name and birth date where neither has a number).
    bool samePatient = true;

    // The newest recording, whose details name the patient.
    const ComparedRecording& newest() const { return recordings.back(); }
};

// The comparison of the recordings (at least one).
RecordingComparison compareRecordings(std::span<const AbpmReportSource> recordings);

// The place on the noon-to-noon axis (0..23) of a clock hour (0..23).
int noonToNoonSlot(int clockHour);
