// The data list window over large files: loading it (cursor, grid binding,
// first row) at 1,000, 10,000 and 100,000 records, walking to the end with
// the grid painted there, and opening it painted over a file of another
// tool with a 1 MB text in one cell.
#include "BenchDataFiles.h"
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

// A copy of the file of n records whose first record holds a text of
// about 1 MB (words, as a person's notes) in its Date column.
QString fileWithAHugeText(int n)
{
    static std::map<int, QString> made;
    if (auto it = made.find(n); it != made.end())
        return it->second;
    const QString path = benchFolder().filePath(QStringLiteral("huge%1.amb").arg(n));
    QFile::copy(benchDataFile(n), path);
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
    gDataFile = benchDataFile(int(state.range(0)));
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
    gDataFile = benchDataFile(int(state.range(0)));
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
