#pragma once
// Helpers for the data window tests: a data file of either edition with
// rows, made ready as the file commands would, and a look at the file
// through a connection of its own.
#include "data/DataTestSupport.h"

#include <QCoreApplication>
#include <QEvent>
#include <QSqlQuery>
#include <QSqlRecord>

inline std::vector<BpRow> sampleRows(int count)
{
    std::vector<BpRow> rows;
    for (int i = 0; i < count; ++i) {
        BpRow r;
        r.sys = 120 + i;
        r.dia = 80 + i;
        r.map = (120.0 + i + 2.0 * (80 + i)) / 3.0;
        r.pulse = 70 + i;
        r.date = QDate(2024, 3, 7);
        r.time = QTime(9, 5).addSecs(i * 900);
        rows.push_back(r);
    }
    return rows;
}

inline void makeReady(const QString& path)
{
    gDataFile = path;
    gFileReady = true;
    MainStatusPanels::instance().setFile(path);
}

// Runs one query on the file through its own connection; the rows as lists of values.
inline QList<QVariantList> fileRows(const QString& path, const QString& sql)
{
    QList<QVariantList> rows;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("test-look"));
        db.setDatabaseName(path);
        if (!db.open())
            return rows;
        QSqlQuery q(db);
        if (q.exec(sql)) {
            while (q.next()) {
                QVariantList row;
                for (int i = 0; i < q.record().count(); ++i)
                    row << q.value(i);
                rows << row;
            }
        }
        q.finish();
        db.close();
    }
    QSqlDatabase::removeDatabase(QStringLiteral("test-look"));
    return rows;
}

inline qint64 fileCount(const QString& path)
{
    const auto rows = fileRows(path, QStringLiteral("select count(*) from ambpdata"));
    return rows.isEmpty() ? -1 : rows.first().value(0).toLongLong();
}

// Lets windows closed with deleteLater go.
inline void flushDeletes()
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCoreApplication::processEvents();
}
