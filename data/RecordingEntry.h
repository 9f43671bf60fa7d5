#pragma once
// One recording of a folder as the recordings list shows it: whose it is,
// when it began, and the figures of its own ABPM summary (computed by
// computeAbpmSummary over what readAbpmReportSourceFrom reads, so the list
// and the file's summary agree), or why the file could not be read. Keyed
// by path, size and modification time: a file that keeps all three is not
// read again.
#include "data/AbpmPeriods.h"
#include "data/AbpmSummary.h"
#include "data/AmbFileCheck.h"

#include <QDate>
#include <QDateTime>
#include <QList>
#include <QMetaType>
#include <QString>

#include <array>
#include <optional>

struct RecordingEntry {
    QString path;
    qint64 size = 0;
    qint64 modifiedNs = 0;
    AmbFileStatus::Kind status = AmbFileStatus::Ok;

    QString name; // patientNameText of the details
    QString number;
    QDate birthDate;
    QDateTime start; // the recording's start as given, or its earliest reading
    qint64 readings = 0;
    qint64 valid = 0;
    // Means by AbpmPeriodKind (24 hours, awake, asleep).
    std::array<std::optional<double>, kAbpmPeriodCount> sysMean;
    std::array<std::optional<double>, kAbpmPeriodCount> diaMean;
    std::optional<DipClass> dipClass; // of the systolic pressure
    bool conclusionKept = false;
    // Whether the result went to the practice system; none while the file
    // does not say.
    std::optional<bool> resultSent;

    bool readable() const { return status == AmbFileStatus::Ok; }
    // Busy or being written: read again at the next look, whatever its key.
    bool readAgain() const { return status == AmbFileStatus::InUse || status == AmbFileStatus::Unfinished; }
    // The patient the compare command groups by: the number, or without
    // one the name and birth date; empty when the file names nobody.
    QString patientKey() const;
    bool operator==(const RecordingEntry&) const = default;
};
Q_DECLARE_METATYPE(RecordingEntry)

// Size and modification time (nanoseconds) of a file; none when it is gone.
struct FileKey {
    qint64 size = 0;
    qint64 modifiedNs = 0;
    bool operator==(const FileKey&) const = default;
};
std::optional<FileKey> fileKeyOf(const QString& path);

// Reads the file at path for reading only and computes its entry; a file
// that cannot be read gives an entry with the reason. Safe on a worker
// thread (touches no settings and no shared state).
RecordingEntry readRecordingEntry(const QString& path, const AbpmPeriodChoice& choice, int busyTimeoutMs);
