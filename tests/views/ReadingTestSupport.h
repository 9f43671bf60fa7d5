#pragma once
// Helpers of the reading-window tests: a data file of the current edition
// with its record set open, a pseudo-terminal as the recorder's line on
// port COM1, bursts as the recorder sends them, and the stored rows read
// back with SQL through a connection of the test's own.
#include "comm/PtyWait.h"
#include "state/SharedState.h"
#include "data/AmbSchema.h"
#include "data/clsbpdata.h"
#include "platform/SerialSettings.h"
#include "platform/SettingsStore.h"
#include "text/Edition.h"
#include "tools/recorder/BurstBuilder.h"
#include "tools/recorder/PtyEndpoint.h"

#include <QDate>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QTime>
#include <QtTest>

namespace readtest {

// One stored row as the file holds it.
struct Row {
    int systolic = 0;
    int diastolic = 0;
    double map = 0;
    int pulse = 0;
    QString date;
    QString time;
};

inline BpReading reading(int sys, int dia, int pulse, int month, int day, int hour, int minute)
{
    return BpReading{quint8(sys), quint8(dia), quint8(pulse), quint8(month), quint8(day), quint8(hour),
                     quint8(minute)};
}

// A 96-byte burst with the frame at offset 5.
inline QByteArray burst(const BpReading& r, BurstFault fault = BurstFault::None,
                        const BpReading& second = {})
{
    return buildBurst(r, BurstShape{96, 5, false}, fault, second);
}

// Makes an empty data file of the current edition.
inline QString makeDataFile(const QString& folder, const QString& name)
{
    const QString path = folder + QLatin1Char('/') + name;
    QString error;
    if (!AmbSchema::createDataFile(path, Edition::current().id(), &error))
        qFatal("cannot make %s: %s", qPrintable(path), qPrintable(error));
    return path;
}

// Runs SQL on the file through a connection of the test's own.
inline QList<QVariantList> query(const QString& path, const QString& sql)
{
    static int counter = 0;
    const QString name = QStringLiteral("readtest-%1").arg(++counter);
    QList<QVariantList> rows;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
        db.setDatabaseName(path);
        if (!db.open())
            qFatal("cannot open %s", qPrintable(path));
        QSqlQuery q(db);
        if (!q.exec(sql))
            qFatal("%s: %s", qPrintable(sql), qPrintable(q.lastError().text()));
        while (q.next()) {
            QVariantList row;
            for (int c = 0; c < q.record().count(); ++c)
                row << q.value(c);
            rows << row;
        }
        q.finish();
        db.close();
    }
    QSqlDatabase::removeDatabase(name);
    return rows;
}

// The rows of ambpdata in the order they were added, by the edition's names.
inline QList<Row> storedRows(const QString& path)
{
    const Edition& ed = Edition::current();
    const QString sql = QStringLiteral("select SYS_mmHg, DIA_mmHg, MAP_mmHg, %1, %2, %3 from ambpdata order by %4")
                            .arg(ed.colPulse(), ed.colDate(), ed.colTime(), ed.colId());
    QList<Row> rows;
    for (const QVariantList& v : query(path, sql))
        rows << Row{v[0].toInt(), v[1].toInt(), v[2].toDouble(), v[3].toInt(), v[4].toString(),
                    v[5].toString()};
    return rows;
}

// Makes path the current data file and opens its record set, as the list
// window's record cursor does.
inline void openDataFile(const QString& path)
{
    gDataFile = path;
    gFileReady = true;
    clsbpdata cursor;
    if (!cursor.isOpen())
        qFatal("record cursor did not open %s", qPrintable(path));
}

inline void pointPortAt(int number, const QString& device)
{
    writeSetting(QString::fromLatin1(kAppTitle), QString::fromLatin1(kPortsSection),
                 QStringLiteral("COM%1").arg(number), device);
}

} // namespace readtest
