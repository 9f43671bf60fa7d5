#include "data/RecordingEntry.h"

#include "data/AbpmReportSource.h"
#include "data/RecordingStart.h"

#include <QFile>

#include <sys/stat.h>

QString RecordingEntry::patientKey() const
{
    if (!number.isEmpty())
        return QStringLiteral("#") + number;
    if (name.isEmpty())
        return QString();
    return name + QLatin1Char('|') + birthDate.toString(Qt::ISODate);
}

std::optional<FileKey> fileKeyOf(const QString& path)
{
    struct stat st {};
    if (::stat(QFile::encodeName(path).constData(), &st) != 0)
        return std::nullopt;
    return FileKey{qint64(st.st_size), qint64(st.st_mtim.tv_sec) * 1000000000 + st.st_mtim.tv_nsec};
}

RecordingEntry readRecordingEntry(const QString& path, const AbpmPeriodChoice& choice, int busyTimeoutMs)
{
    RecordingEntry e;
    e.path = path;
    // The key before reading: a change while it is read makes it read again.
    if (const std::optional<FileKey> key = fileKeyOf(path)) {
        e.size = key->size;
        e.modifiedNs = key->modifiedNs;
    }
    const AbpmSourceAt at = readAbpmReportSourceFrom(path, choice, busyTimeoutMs);
    e.status = at.status.kind;
    if (!at.source)
        return e;
    const AbpmReportSource& s = *at.source;
    const AbpmSummary summary = computeAbpmSummary(s.readings, s.periods, s.details, s.setAside, s.thresholds);
    e.name = patientNameText(s.details);
    e.number = s.details.patientNumber;
    e.birthDate = s.details.birthDate;
    e.start = withRecordingStart(s.details, summary.first).recordingStart;
    e.readings = summary.readings;
    e.valid = summary.valid;
    for (int p = 0; p < kAbpmPeriodCount; ++p) {
        e.sysMean[size_t(p)] = summary.periods[size_t(p)].assessedMean(AbpmQuantity::Sys);
        e.diaMean[size_t(p)] = summary.periods[size_t(p)].assessedMean(AbpmQuantity::Dia);
    }
    e.dipClass = summary.sysDipping.dipClass;
    e.conclusionKept = !s.conclusion.text.trimmed().isEmpty();
    if (at.origin)
        e.resultSent = at.origin->sent.isValid() && !at.origin->resultDue;
    return e;
}
