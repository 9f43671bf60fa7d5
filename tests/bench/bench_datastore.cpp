// Opening a data file through the record cursor (open, check, read, statistic,
// count) and the statistic alone, at 100, 10,000 and 100,000 records, beside
// the sqlite3 command-line program reading the same rows as the floor.
#include "BenchDataFiles.h"
#include "state/MainStatusPanels.h"
#include "state/SharedState.h"
#include "data/AmbSchema.h"
#include "data/clsbpdata.h"
#include "platform/Connection.h"
#include "platform/Recordset.h"
#include "data/BpStatistics.h"

#include <QCoreApplication>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <fcntl.h>
#include <map>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace {

void BM_CursorCreation(benchmark::State& state)
{
    gDataFile = benchDataFile(int(state.range(0)));
    for (auto _ : state) {
        gFileReady = true;
        clsbpdata cursor;
        if (!gFileReady || gRecordCount != state.range(0))
            state.SkipWithError("cursor did not open the file");
    }
    gRecordset->close();
    gConnection->close();
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

void BM_UpdateBpStatistics(benchmark::State& state)
{
    gDataFile = benchDataFile(int(state.range(0)));
    gFileReady = true;
    clsbpdata cursor;
    for (auto _ : state) {
        if (!UpdateBpStatistics())
            state.SkipWithError("statistic failed");
    }
    benchmark::DoNotOptimize(gBpStats.sysDeviation);
    gRecordset->close();
    gConnection->close();
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

// The floor: the sqlite3 program reading the record query's rows.
void BM_Sqlite3CliReadsTheRows(benchmark::State& state)
{
    const QByteArray path = benchDataFile(int(state.range(0))).toLocal8Bit();
    const QByteArray query = AmbSchema::recordQuery(EditionId::English).toLatin1();
    char* argv[] = {const_cast<char*>("sqlite3"), const_cast<char*>("-readonly"),
                    const_cast<char*>(path.constData()), const_cast<char*>(query.constData()), nullptr};
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    double childCpu = 0; // the program's own CPU time, which the CPU column cannot see
    for (auto _ : state) {
        pid_t pid = 0;
        if (posix_spawnp(&pid, "sqlite3", &actions, nullptr, argv, environ) != 0) {
            state.SkipWithError("no sqlite3 program");
            break;
        }
        int status = 0;
        struct rusage usage {};
        wait4(pid, &status, 0, &usage);
        childCpu += usage.ru_utime.tv_sec * 1e3 + usage.ru_utime.tv_usec / 1e3
            + usage.ru_stime.tv_sec * 1e3 + usage.ru_stime.tv_usec / 1e3;
    }
    posix_spawn_file_actions_destroy(&actions);
    state.counters["sqlite3_cpu_ms"] = benchmark::Counter(childCpu / double(std::max<int64_t>(state.iterations(), 1)));
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

} // namespace

BENCHMARK(BM_CursorCreation)->Arg(100)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_UpdateBpStatistics)->Arg(100)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Sqlite3CliReadsTheRows)->Arg(100)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    gRecordset.reset();
    gConnection.reset();
    return 0;
}
