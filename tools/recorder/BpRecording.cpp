#include "tools/recorder/BpRecording.h"

#include <QFile>
#include <QList>
#include <QRandomGenerator>

#include <cmath>

QList<BpReading> parseReadingsCsv(const QByteArray& text, QString* error)
{
    QList<BpReading> readings;
    bool headerSkipped = false;
    const QList<QByteArray> lines = text.split('\n');
    for (int i = 0; i < lines.size(); ++i) {
        const QByteArray line = lines[i].trimmed();
        if (line.isEmpty() || line.startsWith('#'))
            continue;
        const QList<QByteArray> fields = line.split(',');
        quint8 v[7] = {};
        bool numbers = true; // every field a whole number
        bool valid = fields.size() == 7;
        for (int f = 0; f < fields.size(); ++f) {
            bool ok = false;
            const int value = fields[f].trimmed().toInt(&ok);
            numbers = numbers && ok;
            valid = valid && ok && value >= 0 && value <= 255;
            if (f < 7)
                v[f] = static_cast<quint8>(value);
        }
        if (!valid) {
            if (!numbers && readings.isEmpty() && !headerSkipped) {
                headerSkipped = true; // a header line
                continue;
            }
            if (error)
                *error = QStringLiteral("line %1: expected month,day,hour,minute,systolic,"
                                        "diastolic,pulse with values 0..255")
                             .arg(i + 1);
            return {};
        }
        readings.append(BpReading{v[4], v[5], v[6], v[0], v[1], v[2], v[3]});
    }
    return readings;
}

QList<BpReading> loadReadingsCsv(const QString& path, QString* error)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        if (error)
            *error = file.errorString();
        return {};
    }
    return parseReadingsCsv(file.readAll(), error);
}

namespace {

int around(QRandomGenerator& random, double centre, double spread)
{
    // Sum of three uniforms: roughly normal, bounded.
    double s = 0;
    for (int i = 0; i < 3; ++i)
        s += random.generateDouble() * 2.0 - 1.0;
    return int(std::lround(centre + s * spread));
}

bool isDay(const QTime& t)
{
    return t >= QTime(7, 0) && t < QTime(22, 0);
}

} // namespace

QList<BpReading> generateDayRecording(const QDateTime& start, quint32 seed)
{
    QRandomGenerator random(seed);
    QList<BpReading> readings;
    const QDateTime end = start.addSecs(24 * 3600);
    for (QDateTime at = start; at < end;) {
        const bool day = isDay(at.time());
        // A slow swing over the day on top of the day/night difference.
        const double swing = 6.0 * std::sin((at.time().msecsSinceStartOfDay() / 86400000.0) * 6.2832);
        const int sys = around(random, (day ? 130 : 112) + swing, day ? 12 : 8);
        const int dia = qMin(sys - 25, around(random, (day ? 82 : 68) + swing / 2, day ? 8 : 6));
        const int pulse = around(random, day ? 76 : 62, day ? 9 : 5);
        readings.append(BpReading{quint8(qBound(60, sys, 250)), quint8(qBound(30, dia, 200)),
                                  quint8(qBound(35, pulse, 200)), quint8(at.date().month()),
                                  quint8(at.date().day()), quint8(at.time().hour()),
                                  quint8(at.time().minute())});
        at = at.addSecs(day ? 15 * 60 : 30 * 60);
    }
    return readings;
}
