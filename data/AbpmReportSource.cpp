#include "data/AbpmReportSource.h"

#include "data/AbpmSettings.h"
#include "data/AmbSchema.h"
#include "data/CurrentDataFile.h"
#include "data/DataTransaction.h"
#include "data/RecordingDetailsStore.h"
#include "platform/Connection.h"
#include "platform/Recordset.h"
#include "platform/SettingsStore.h"
#include "state/SharedState.h"

namespace {

// The recording of the file at path from its readings and the tables beside
// them; none with *why when a table cannot be read.
std::optional<AbpmReportSource> recordingOf(const QString& path, std::vector<AbpmReading> readings,
                                            const Connection& connection, const AbpmPeriodChoice& choice, QString* why)
{
    const std::optional<RecordingDetails> details = RecordingDetailsStore::read(connection, why);
    const std::optional<SetAsideReadings> setAside = details ? RecordingReview::read(connection, why) : std::nullopt;
    const std::optional<AbpmConclusion> conclusion = setAside ? AbpmConclusionStore::read(connection, why) : std::nullopt;
    if (!conclusion)
        return std::nullopt;
    AbpmReportSource s;
    s.dataFile = path;
    s.readings = std::move(readings);
    s.details = *details;
    s.setAside = *setAside;
    s.periods = choice.inForce();
    s.thresholds = choice.thresholds;
    s.conclusion = *conclusion;
    return s;
}

} // namespace

std::optional<AbpmReportSource> readAbpmReportSource(QString* error)
{
    const std::shared_ptr<Recordset> records = CurrentDataFile::records();
    if (!records) {
        if (error)
            *error = QStringLiteral("the data file is not open");
        return std::nullopt;
    }
    std::optional<std::vector<AbpmReading>> readings = abpmReadingsOf(*records, error);
    const std::shared_ptr<Connection> connection = readings ? currentConnection(error) : nullptr;
    if (!connection)
        return std::nullopt;
    return recordingOf(gDataFile, std::move(*readings), *connection, AbpmSettings::load(), error);
}

AbpmSourceAt readAbpmReportSourceFrom(const QString& path, const AbpmPeriodChoice& choice, int busyTimeoutMs)
{
    AbpmSourceAt at;
    auto connection = std::make_shared<Connection>();
    if (!connection->openFileReadOnly(path, busyTimeoutMs)) {
        at.status = AmbFileCheck::fromConnection(*connection);
        return at;
    }
    at.status = AmbFileCheck::checkTable(*connection, Edition::current().id());
    if (!at.status.ok())
        return at;
    QString why;
    const auto unreadable = [&at, &why] {
        at.status = {AmbFileStatus::Unreadable, why};
        return at;
    };
    Recordset records;
    if (!records.open(AmbSchema::recordQuery(), connection)) {
        why = records.lastError();
        return unreadable();
    }
    std::optional<std::vector<AbpmReading>> readings = abpmReadingsOf(records, &why);
    records.close();
    if (!readings)
        return unreadable();
    at.source = recordingOf(path, std::move(*readings), *connection, choice, &why);
    if (!at.source)
        return unreadable();
    QString originWhy;
    at.origin = GdtOriginStore::read(*connection, &originWhy);
    if (!at.origin && !originWhy.isEmpty()) {
        at.source.reset();
        why = originWhy;
        return unreadable();
    }
    return at;
}

std::optional<AbpmReportSource> readAbpmReportSourceAt(const QString& path, QString* why)
{
    AbpmSourceAt at = readAbpmReportSourceFrom(path, AbpmSettings::load());
    if (!at.source && why)
        *why = at.status.reasonText();
    return std::move(at.source);
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
