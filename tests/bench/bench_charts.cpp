// The chart windows over files of 100, 10,000 and 100,000 records: the
// first load (window, statistic computed afresh, the file opened and
// checked, the records in view, drawn and painted), one scroll step and one
// Series button (the load again, drawn and painted), beside the data work
// of the literal full reload (statistic over every record, a connection
// opened and checked, the query over every record, skipping to the window).
#include "BenchDataFiles.h"
#include "data/AmbSchema.h"
#include "data/BpStatistics.h"
#include "data/ChartQuery.h"
#include "platform/Connection.h"
#include "platform/Recordset.h"
#include "state/SharedState.h"
#include "views/ChartWindows.h"
#include "views/frmBar.h"
#include "views/frmWave.h"

#include <QAction>
#include <QApplication>
#include <QScrollBar>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <map>

namespace {

// The shared record set on the file, as a record cursor leaves it: a new
// record set, so the next chart load computes the statistic afresh.
void openRecordsOn(const QString& path)
{
    if (gRecordset)
        gRecordset->close();
    auto connection = std::make_shared<Connection>();
    connection->openFile(path);
    auto records = std::make_shared<Recordset>();
    records->open(AmbSchema::recordQuery(), connection);
    gConnection = connection;
    gRecordset = records;
    gDataFile = path;
    gFileReady = true;
}

// Lets the chart's scene take its changes, then paints the window.
void paint(QWidget* window)
{
    QCoreApplication::processEvents();
    window->repaint();
}

template <class Window>
void close(Window* window)
{
    window->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

template <class Window>
void firstLoad(benchmark::State& state, Window* (*show)())
{
    const QString path = benchDataFile(int(state.range(0)));
    for (auto _ : state) {
        state.PauseTiming();
        openRecordsOn(path);
        state.ResumeTiming();
        Window* window = show();
        if (!window) {
            state.SkipWithError("the chart did not load");
            break;
        }
        paint(window);
        state.PauseTiming();
        close(window);
        state.ResumeTiming();
    }
}

void BM_BarFirstLoad(benchmark::State& state)
{
    firstLoad(state, &ChartWindows::showBarChart);
}
BENCHMARK(BM_BarFirstLoad)->Arg(100)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

void BM_TrendFirstLoad(benchmark::State& state)
{
    firstLoad(state, &ChartWindows::showTrendChart);
}
BENCHMARK(BM_TrendFirstLoad)->Arg(100)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

// One step of the scroll bar, to the right and back at the end.
template <class Window>
void scrollStep(benchmark::State& state, Window* (*show)())
{
    openRecordsOn(benchDataFile(int(state.range(0))));
    Window* window = show();
    if (!window) {
        state.SkipWithError("the chart did not load");
        return;
    }
    QScrollBar* scroll = window->HScroll4;
    int step = 1;
    for (auto _ : state) {
        if (scroll->value() + step > scroll->maximum() || scroll->value() + step < 0)
            step = -step;
        scroll->setValue(scroll->value() + step);
        paint(window);
    }
    close(window);
}

void BM_BarScrollStep(benchmark::State& state)
{
    scrollStep(state, &ChartWindows::showBarChart);
}
BENCHMARK(BM_BarScrollStep)->Arg(100)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

void BM_TrendScrollStep(benchmark::State& state)
{
    scrollStep(state, &ChartWindows::showTrendChart);
}
BENCHMARK(BM_TrendScrollStep)->Arg(100)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

// A Series button ("SYS." of the trend chart) pressed and drawn.
void BM_TrendSeriesToggle(benchmark::State& state)
{
    openRecordsOn(benchDataFile(int(state.range(0))));
    frmWave* window = ChartWindows::showTrendChart();
    if (!window) {
        state.SkipWithError("the chart did not load");
        return;
    }
    window->HScroll4->setValue(window->HScroll4->maximum() / 2);
    for (auto _ : state) {
        window->toolbarButton(9)->trigger();
        paint(window);
    }
    close(window);
}
BENCHMARK(BM_TrendSeriesToggle)->Arg(100)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

// The data work of one step as it was first laid down, in the middle of
// the file: what the chart windows no longer do at every step.
void BM_LiteralReloadData(benchmark::State& state)
{
    const QString path = benchDataFile(int(state.range(0)));
    openRecordsOn(path);
    const qint64 start = state.range(0) / 2;
    for (auto _ : state) {
        UpdateBpStatistics();
        const std::shared_ptr<Recordset> rows = ChartQuery::open(path);
        if (!rows) {
            state.SkipWithError("the chart query failed");
            break;
        }
        rows->moveFirst();
        for (qint64 i = 0; i < start; ++i)
            rows->moveNext();
        double sum = 0;
        for (int n = 0; n < 30 && !rows->eof(); ++n, rows->moveNext())
            sum += rows->value(1).toDouble();
        benchmark::DoNotOptimize(sum);
    }
}
BENCHMARK(BM_LiteralReloadData)->Arg(100)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    if (gRecordset)
        gRecordset->close();
    return 0;
}
