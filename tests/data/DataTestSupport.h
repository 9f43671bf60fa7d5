#pragma once
// Data files for tests: a private folder, empty data files of either
// edition made by the schema code, rows written straight into a file, and
// what sqlite3's own program says a file's schema is.
#include "state/MainStatusPanels.h"
#include "state/SharedState.h"
#include "data/AmbSchema.h"
#include "platform/Connection.h"
#include "platform/Recordset.h"
#include "text/Edition.h"
#include "data/BpStatistics.h"

#include <QDate>
#include <QFile>
#include <QProcess>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTime>
#include <QtTest>

#include <memory>
#include <optional>

struct BpRow {
    std::optional<double> sys = std::nullopt, dia = std::nullopt, map = std::nullopt, pulse = std::nullopt;
    QDate date = QDate(2024, 3, 7);
    QTime time = QTime(9, 5);
};

inline QString makeDataFile(const QString& path, EditionId edition)
{
    QString why;
    if (!AmbSchema::createDataFile(path, edition, &why))
        qFatal("cannot make %s: %s", qPrintable(path), qPrintable(why));
    return path;
}

// Writes rows straight into the file (one transaction), as another program
// could: values that the record set would refuse get in this way too.
inline void insertRows(const QString& path, EditionId edition, const std::vector<BpRow>& rows)
{
    const QStringList c = AmbSchema::columns(edition);
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("test-insert"));
        db.setDatabaseName(path);
        QVERIFY(db.open());
        QSqlQuery q(db);
        QVERIFY(q.exec(QStringLiteral("BEGIN")));
        QVERIFY(q.prepare(QStringLiteral("insert into ambpdata (%1,%2,%3,%4,%5,%6) values (?,?,?,?,?,?)")
                              .arg(c[1], c[2], c[3], c[4], c[5], c[6])));
        auto v = [](const std::optional<double>& x) { return x ? QVariant(*x) : QVariant(); };
        for (const BpRow& r : rows) {
            q.addBindValue(r.date.toString(Qt::ISODate));
            q.addBindValue(r.time.toString(QStringLiteral("HH:mm:ss")));
            q.addBindValue(v(r.sys));
            q.addBindValue(v(r.dia));
            q.addBindValue(v(r.map));
            q.addBindValue(v(r.pulse));
            QVERIFY2(q.exec(), qPrintable(q.lastError().text()));
        }
        QVERIFY(q.exec(QStringLiteral("COMMIT")));
        q.finish();
        db.close();
    }
    QSqlDatabase::removeDatabase(QStringLiteral("test-insert"));
}

// What sqlite3's .schema prints, read beside the program.
inline QByteArray schemaText(const QString& path)
{
    const QString sqlite3 = QStandardPaths::findExecutable(QStringLiteral("sqlite3"));
    if (sqlite3.isEmpty())
        return QByteArray("(no sqlite3)");
    QProcess run;
    run.start(sqlite3, {path, QStringLiteral(".schema")});
    if (!run.waitForFinished(30000) || run.exitCode() != 0)
        return QByteArray("(sqlite3 failed) ") + run.readAllStandardError();
    return run.readAllStandardOutput();
}

inline QByteArray fileBytes(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// Opens a record set of the record query on path into gConnection/gRecordset.
inline std::shared_ptr<Recordset> openRecords(const QString& path)
{
    auto connection = std::make_shared<Connection>();
    if (!connection->openFile(path))
        qWarning("open failed: %s", qPrintable(connection->lastError()));
    auto rs = std::make_shared<Recordset>();
    if (!rs->open(AmbSchema::recordQuery(), connection))
        qWarning("record query failed: %s", qPrintable(rs->lastError()));
    gConnection = connection;
    gRecordset = rs;
    return rs;
}

inline void resetAll()
{
    if (gRecordset)
        gRecordset->close();
    if (gConnection)
        gConnection->close();
    resetSharedState();
    resetBpStatistics();
    MainStatusPanels::instance().clear();
}
