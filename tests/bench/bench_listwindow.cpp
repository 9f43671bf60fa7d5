// The data list window over large files: loading it (cursor, grid binding,
// first row) at 1,000, 10,000 and 100,000 records, walking to the end with
// the grid painted there, and opening it painted over a file of another
// tool with a 1 MB text in one cell.
#include "state/SharedState.h"
#include "data/AmbSchema.h"
#include "views/DataWindows.h"
#include "views/RecordGrid.h"
#include "views/frmList.h"

#include <QApplication>
#include <QFile>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <map>

namespace {

QTemporaryDir& folder()
{
    static QTemporaryDir dir;
    return dir;
}

QString fileWith(int n)
{
    static std::map<int, QString> made;
    if (auto it = made.find(n); it != made.end())
        return it->second;
    const QString path = folder().filePath(QStringLiteral("list%1.amb").arg(n));
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
            q.addBindValue(QStringLiteral("2024-03-%1").arg(1 + i % 28, 2, 10, QLatin1Char('0')));
            q.addBindValue(QStringLiteral("%1:%2:00").arg(i % 24, 2, 10, QLatin1Char('0')).arg(i % 60, 2, 10, QLatin1Char('0')));
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
    made[n] = path;
    return path;
}

// A copy of the file of n records whose first record holds a text of
// about 1 MB (words, as a person's notes) in its Date column.
QString fileWithAHugeText(int n)
{
    static std::map<int, QString> made;
    if (auto it = made.find(n); it != made.end())
        return it->second;
    const QString path = folder().filePath(QStringLiteral("huge%1.amb").arg(n));
    QFile::copy(fileWith(n), path);
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("bench-huge"));
        db.setDatabaseName(path);
        db.open();
        QSqlQuery q(db);
        q.prepare(QStringLiteral("update ambpdata set Date = ? where ID = (select min(ID) from ambpdata)"));
        q.addBindValue(QStringLiteral("blood pressure notes ").repeated(50000));
        q.exec();
        q.finish();
        db.close();
    }
    QSqlDatabase::removeDatabase(QStringLiteral("bench-huge"));
    made[n] = path;
    return path;
}

void closeList()
{
    DataWindows::closeList();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

void BM_OpenList(benchmark::State& state)
{
    gDataFile = fileWith(int(state.range(0)));
    for (auto _ : state) {
        gFileReady = true;
        frmList* list = DataWindows::showList();
        if (!list || list->grdDataGrid->model()->rowCount() != state.range(0)) {
            state.SkipWithError("the list did not load the file");
            break;
        }
        state.PauseTiming();
        closeList();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_OpenList)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

void BM_WalkToTheEndAndPaint(benchmark::State& state)
{
    gDataFile = fileWith(int(state.range(0)));
    gFileReady = true;
    frmList* list = DataWindows::showList();
    if (!list) {
        state.SkipWithError("the list did not load the file");
        return;
    }
    for (auto _ : state) {
        list->cmdLast_Click();
        list->grab();
        list->cmdFirst_Click();
        list->grab();
    }
    closeList();
}
BENCHMARK(BM_WalkToTheEndAndPaint)->Arg(1000)->Arg(100000)->Unit(benchmark::kMillisecond);

// Loading and the first painting, as the user waits for them.
void BM_OpenListWithAHugeTextAndPaint(benchmark::State& state)
{
    gDataFile = fileWithAHugeText(int(state.range(0)));
    for (auto _ : state) {
        gFileReady = true;
        frmList* list = DataWindows::showList();
        if (!list || list->grdDataGrid->model()->rowCount() != state.range(0)) {
            state.SkipWithError("the list did not load the file");
            break;
        }
        list->grab();
        state.PauseTiming();
        closeList();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_OpenListWithAHugeTextAndPaint)->Arg(1000)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
