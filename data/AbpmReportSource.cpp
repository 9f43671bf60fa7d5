#include "data/AbpmReportSource.h"

#include "data/AbpmSettings.h"
#include "data/CurrentDataFile.h"
#include "data/RecordingDetailsStore.h"
#include "platform/SettingsStore.h"
#include "state/SharedState.h"

std::optional<AbpmReportSource> readAbpmReportSource(QString* error)
{
    const std::shared_ptr<Recordset> records = CurrentDataFile::records();
    if (!records) {
        if (error)
            *error = QStringLiteral("the data file is not open");
        return std::nullopt;
    }
    AbpmReportSource s;
    s.dataFile = gDataFile;
    std::optional<std::vector<AbpmReading>> readings = abpmReadingsOf(*records, error);
    const std::optional<RecordingDetails> details = RecordingDetailsStore::readCurrent(error);
    const std::optional<SetAsideReadings> setAside = readings && details ? RecordingReview::readCurrent(error) : std::nullopt;
    const std::optional<AbpmConclusion> conclusion = setAside ? AbpmConclusionStore::readCurrent(error) : std::nullopt;
    if (!readings || !details || !setAside || !conclusion)
        return std::nullopt;
    s.readings = std::move(*readings);
    s.details = *details;
    s.setAside = *setAside;
    const AbpmPeriodChoice choice = AbpmSettings::load();
    s.periods = choice.inForce();
    s.thresholds = choice.thresholds;
    s.conclusion = *conclusion;
    return s;
}

namespace ReportSettings {

QString practice()
{
    return readSetting(QString::fromLatin1(kAppTitle), QString::fromLatin1(kSection), QString::fromLatin1(kPractice));
}

bool storePractice(const QString& text, QString* why)
{
    return writeSetting(QString::fromLatin1(kAppTitle), QString::fromLatin1(kSection), QString::fromLatin1(kPractice),
                        text, why);
}

} // namespace ReportSettings
