// The ABPM summary window's refresh in its three steps at 100, 10,000 and
// 100,000 records: the readings out of the open record set, the summary
// figures, and the summary text. Goal: the whole refresh at 100,000 records
// within 0.3 s, like a chart window's first load.
#include "BenchDataFiles.h"
#include "data/AbpmPeriods.h"
#include "data/AbpmReadings.h"
#include "data/AbpmSummary.h"
#include "data/clsbpdata.h"
#include "platform/Connection.h"
#include "platform/Recordset.h"
#include "state/SharedState.h"
#include "text/Edition.h"
#include "views/AbpmSummaryText.h"

#include <QCoreApplication>

#include <benchmark/benchmark.h>

namespace {

// The record set of a data file of n records, as the window finds it.
void openRecords(int n)
{
    gDataFile = benchDataFile(n);
    gFileReady = true;
    clsbpdata cursor;
}

void closeRecords()
{
    gRecordset->close();
    gConnection->close();
}

void BM_AbpmReadings(benchmark::State& state)
{
    openRecords(int(state.range(0)));
    for (auto _ : state) {
        const std::optional<std::vector<AbpmReading>> readings = abpmReadingsOf(*gRecordset, nullptr);
        if (!readings || qint64(readings->size()) != state.range(0))
            state.SkipWithError("readings missing");
        benchmark::DoNotOptimize(readings);
    }
    closeRecords();
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

void BM_AbpmSummary(benchmark::State& state)
{
    openRecords(int(state.range(0)));
    const std::vector<AbpmReading> readings = *abpmReadingsOf(*gRecordset, nullptr);
    closeRecords();
    for (auto _ : state) {
        const AbpmSummary summary = computeAbpmSummary(readings, AbpmPeriods::standard());
        benchmark::DoNotOptimize(summary);
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

void BM_AbpmSummaryText(benchmark::State& state)
{
    openRecords(int(state.range(0)));
    const std::vector<AbpmReading> readings = *abpmReadingsOf(*gRecordset, nullptr);
    closeRecords();
    const AbpmSummary summary = computeAbpmSummary(readings, AbpmPeriods::standard());
    for (auto _ : state) {
        const QString html = AbpmSummaryText::html(summary, AbpmPeriodChoice{});
        if (html.isEmpty())
            state.SkipWithError("no text");
        benchmark::DoNotOptimize(html);
    }
}

} // namespace

BENCHMARK(BM_AbpmReadings)->Arg(100)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_AbpmSummary)->Arg(100)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_AbpmSummaryText)->Arg(100)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    Edition::select(EditionId::English);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    gRecordset.reset();
    gConnection.reset();
    return 0;
}
