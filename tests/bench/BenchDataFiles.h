#pragma once
// Data files for the benchmarks: n English-edition records of varied
// values, each size made once per run in one temporary folder, or made
// where a benchmark wants them.
#include "data/AmbSchema.h"

#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>

#include <functional>
#include <map>
#include <utility>

inline QTemporaryDir& benchFolder()
{
    static QTemporaryDir dir;
    return dir;
}

// Makes an English-edition data file at path with n records of varied
// values; moment(i) gives record i's date and time texts.
using BenchMoment = std::function<std::pair<QString, QString>(int)>;
inline void makeBenchDataFile(const QString& path, int n, const BenchMoment& moment)
{
    AmbSchema::createDataFile(path, EditionId::English);
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("bench-fill"));
        db.setDatabaseName(path);
        db.open();
        QSqlQuery q(db);
        q.exec(QStringLiteral("BEGIN"));
        q.prepare(QStringLiteral("insert into ambpdata (Date,Time,SYS_mmHg,DIA_mmHg,MAP_mmHg,Pulse_min) "
                                 "values (?,?,?,?,?,?)"));
        for (int i = 0; i < n; ++i) {
            const int sys = 100 + i % 90, dia = 60 + i % 45;
            const auto [date, time] = moment(i);
            q.addBindValue(date);
            q.addBindValue(time);
            q.addBindValue(sys);
            q.addBindValue(dia);
            q.addBindValue((sys + 2.0 * dia) / 3.0);
            q.addBindValue(55 + i % 50);
            q.exec();
        }
        q.exec(QStringLiteral("COMMIT"));
        q.finish();
        db.close();
    }
    QSqlDatabase::removeDatabase(QStringLiteral("bench-fill"));
}

inline QString benchDataFile(int n)
{
    static std::map<int, QString> made;
    if (auto it = made.find(n); it != made.end())
        return it->second;
    const QString path = benchFolder().filePath(QStringLiteral("bench%1.amb").arg(n));
    makeBenchDataFile(path, n, [](int i) {
        return std::pair{QStringLiteral("2024-03-%1").arg(1 + i % 28, 2, 10, QLatin1Char('0')),
                         QStringLiteral("%1:%2:00").arg(i % 24, 2, 10, QLatin1Char('0')).arg(i % 60, 2, 10, QLatin1Char('0'))};
    });
    made[n] = path;
    return path;
}
