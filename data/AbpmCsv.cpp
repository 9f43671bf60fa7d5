#include "data/AbpmCsv.h"

#include "text/MessageCatalogue.h"

#include <QFileInfo>
#include <QSaveFile>

namespace AbpmCsv {

namespace {

QByteArray number(const std::optional<double>& value)
{
    return value ? QByteArray::number(*value, 'g', 15) : QByteArray();
}

QByteArray wake(const AbpmReading& r, const AbpmPeriods& periods)
{
    if (!r.moment.isValid())
        return QByteArray();
    switch (periods.phaseOf(r.moment.time())) {
    case AbpmPhase::Day:
        return "1";
    case AbpmPhase::Night:
        return "0";
    case AbpmPhase::Neither:
        break;
    }
    return QByteArray();
}

QByteArray field(const QString& text)
{
    QByteArray bytes = text.toUtf8();
    if (!bytes.contains(',') && !bytes.contains('"') && !bytes.contains('\n') && !bytes.contains('\r'))
        return bytes;
    bytes.replace('"', "\"\"");
    return '"' + bytes + '"';
}

} // namespace

QString subjectOf(const QString& patientNumber, const QString& dataFile)
{
    return patientNumber.isEmpty() ? QFileInfo(dataFile).completeBaseName() : patientNumber;
}

QByteArray text(std::span<const AbpmReading> readings, const AbpmPeriods& periods, const QString& subject)
{
    QByteArray csv = "ID,NR,DATE_TIME,SBP,DBP,MAP,HR,WAKE\r\n";
    const QByteArray id = field(subject);
    csv.reserve(csv.size() + qsizetype(readings.size()) * (48 + id.size()));
    for (const AbpmReading& r : readings) {
        csv += id;
        csv += ',';
        csv += r.id ? QByteArray::number(*r.id) : QByteArray();
        csv += ',';
        if (r.moment.isValid())
            csv += r.moment.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")).toLatin1();
        for (const std::optional<double>* value : {&r.sys, &r.dia, &r.map, &r.pulse}) {
            csv += ',';
            csv += number(*value);
        }
        csv += ',';
        csv += wake(r, periods);
        csv += "\r\n";
    }
    return csv;
}

bool write(const QString& path, std::span<const AbpmReading> readings, const AbpmPeriods& periods,
           const QString& subject, QString* error)
{
    QSaveFile file(path);
    const QByteArray csv = text(readings, periods, subject);
    if (file.open(QIODevice::WriteOnly) && file.write(csv) == csv.size() && file.commit())
        return true;
    if (error)
        *error = catText("abpm.reasonNotWritable");
    return false;
}

} // namespace AbpmCsv
