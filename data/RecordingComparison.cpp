#include "data/RecordingComparison.h"

#include "data/AbpmSummaryWords.h"
#include "data/RecordingStart.h"

#include <algorithm>

namespace {

std::optional<double> figureOf(const AbpmReportFigures& f, ComparedFigure figure)
{
    const AbpmSummary& s = f.summary;
    const auto mean = [&](AbpmPeriodKind p, AbpmQuantity q) { return s.period(p).assessedMean(q); };
    switch (figure) {
    case ComparedFigure::ValidReadings:
        return double(s.valid);
    case ComparedFigure::ValidShare:
        return abpmValidPercent(s);
    case ComparedFigure::Sys24:
        return mean(AbpmPeriodKind::Day24, AbpmQuantity::Sys);
    case ComparedFigure::Dia24:
        return mean(AbpmPeriodKind::Day24, AbpmQuantity::Dia);
    case ComparedFigure::SysAwake:
        return mean(AbpmPeriodKind::Day, AbpmQuantity::Sys);
    case ComparedFigure::DiaAwake:
        return mean(AbpmPeriodKind::Day, AbpmQuantity::Dia);
    case ComparedFigure::SysAsleep:
        return mean(AbpmPeriodKind::Night, AbpmQuantity::Sys);
    case ComparedFigure::DiaAsleep:
        return mean(AbpmPeriodKind::Night, AbpmQuantity::Dia);
    case ComparedFigure::SysRatio:
        return s.sysDipping.ratio;
    case ComparedFigure::DiaRatio:
        return s.diaDipping.ratio;
    case ComparedFigure::SysLoad24:
        return f.period(AbpmPeriodKind::Day24).sysLoad;
    case ComparedFigure::DiaLoad24:
        return f.period(AbpmPeriodKind::Day24).diaLoad;
    case ComparedFigure::SysLoadAwake:
        return f.period(AbpmPeriodKind::Day).sysLoad;
    case ComparedFigure::DiaLoadAwake:
        return f.period(AbpmPeriodKind::Day).diaLoad;
    case ComparedFigure::SysLoadAsleep:
        return f.period(AbpmPeriodKind::Night).sysLoad;
    case ComparedFigure::DiaLoadAsleep:
        return f.period(AbpmPeriodKind::Night).diaLoad;
    }
    return std::nullopt;
}

bool samePerson(const RecordingDetails& a, const RecordingDetails& b)
{
    if (!a.patientNumber.isEmpty() && !b.patientNumber.isEmpty())
        return a.patientNumber.trimmed() == b.patientNumber.trimmed();
    if (a.patientNumber.isEmpty() && b.patientNumber.isEmpty() && a.hasPatient() && b.hasPatient())
        return a.surname.compare(b.surname, Qt::CaseInsensitive) == 0
            && a.firstName.compare(b.firstName, Qt::CaseInsensitive) == 0
            && (!a.birthDate.isValid() || !b.birthDate.isValid() || a.birthDate == b.birthDate);
    return true; // one names no patient: nothing says it is another
}

} // namespace

int comparedDecimals(ComparedFigure figure)
{
    switch (figure) {
    case ComparedFigure::ValidReadings:
        return 0;
    case ComparedFigure::ValidShare:
        return 1;
    case ComparedFigure::SysRatio:
    case ComparedFigure::DiaRatio:
        return kAbpmRatioDecimals;
    case ComparedFigure::SysLoad24:
    case ComparedFigure::DiaLoad24:
    case ComparedFigure::SysLoadAwake:
    case ComparedFigure::DiaLoadAwake:
    case ComparedFigure::SysLoadAsleep:
    case ComparedFigure::DiaLoadAsleep:
        return kAbpmLoadDecimals;
    default:
        return kAbpmMeanDecimals;
    }
}

int noonToNoonSlot(int clockHour)
{
    return (clockHour + 12) % 24;
}

RecordingComparison compareRecordings(std::span<const AbpmReportSource> sources)
{
    RecordingComparison c;
    for (const AbpmReportSource& source : sources) {
        ComparedRecording r;
        r.dataFile = source.dataFile;
        r.details = source.details;
        r.figures = computeAbpmReport(source.readings, source.periods, source.details, source.setAside,
                                      source.thresholds);
        r.start = withRecordingStart(source.details, r.figures.summary.first).recordingStart;
        for (int f = 0; f < kComparedFigureCount; ++f)
            r.values[size_t(f)] = figureOf(r.figures, ComparedFigure(f));
        for (int hour = 0; hour < 24; ++hour)
            r.noonToNoon[size_t(noonToNoonSlot(hour))] = r.figures.summary.hours[size_t(hour)];
        c.recordings.push_back(std::move(r));
    }
    std::stable_sort(c.recordings.begin(), c.recordings.end(), [](const ComparedRecording& a, const ComparedRecording& b) {
        if (a.start.isValid() != b.start.isValid())
            return a.start.isValid();
        return a.start.isValid() && a.start < b.start;
    });
    if (c.recordings.empty())
        return c;
    const ComparedRecording& first = c.recordings.front();
    for (size_t i = 1; i < c.recordings.size(); ++i) {
        ComparedRecording& r = c.recordings[i];
        for (int f = 0; f < kComparedFigureCount; ++f) {
            const std::optional<double>& was = first.values[size_t(f)];
            const std::optional<double>& is = r.values[size_t(f)];
            if (was && is) {
                const int decimals = comparedDecimals(ComparedFigure(f));
                r.changes[size_t(f)] = abpmShown(abpmShown(*is, decimals) - abpmShown(*was, decimals), decimals);
            }
        }
        for (const ComparedRecording& other : c.recordings)
            if (!samePerson(r.details, other.details))
                c.samePatient = false;
    }
    return c;
}
