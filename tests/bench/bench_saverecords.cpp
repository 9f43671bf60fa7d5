// SaveRecords storing the 100 records of a reading run into data files of
// 100, 10,000 and 100,000 rows: the duplicate test against every row, one
// write per stored row, and the requery. On the temporary folder's disk
// (what a user waits for: every row is its own transaction with full
// synchronisation) and on a memory file system (the program's own part).
#include "BenchDataFiles.h"
#include "state/SharedState.h"
#include "comm/SaveRecords.h"
#include "data/AmbSchema.h"
#include "platform/Connection.h"
#include "platform/Recordset.h"
#include "platform/Seams.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <map>
#include <memory>

namespace {

// A message box during the benchmark means SaveRecords failed.
class QuietSeams final : public Seams {
public:
    QString lastMessage;
    MsgAnswer message(QWidget*, const QString& text, MsgButtons, MsgIcon, const QString&) override
    {
        lastMessage = text;
        return MsgAnswer::Ok;
    }
    QString fileDialog(QWidget*, const FileDialogRequest&) override { return {}; }
    int execModal(QDialog*) override { return 0; }
    bool printerDialog(QWidget*, QPrinter*) override { return false; }
    void beep() override {}
    QDateTime now() override { return QDateTime(QDate(2025, 6, 1), QTime(10, 0)); }
};

QTemporaryDir& folder(bool memory)
{
    static QTemporaryDir disk(QDir::tempPath() + QStringLiteral("/korvane-bench-XXXXXX"));
    static QTemporaryDir shm(QDir(QStringLiteral("/dev/shm")).exists()
                                 ? QStringLiteral("/dev/shm/korvane-bench-XXXXXX")
                                 : QDir::tempPath() + QStringLiteral("/korvane-bench-shm-XXXXXX"));
    return memory ? shm : disk;
}

// A data file of n rows spread over a year, made once per size and place.
QString fileWith(int n, bool memory)
{
    static std::map<std::pair<int, bool>, QString> made;
    if (auto it = made.find({n, memory}); it != made.end())
        return it->second;
    const QString path = folder(memory).filePath(QStringLiteral("base%1.amb").arg(n));
    // A quarter of an hour apart over a year: none matches a new measurement.
    makeBenchDataFile(path, n, [](int i) {
        return std::pair{QDate(2024, 1, 1).addDays(i / 96 % 366).toString(Qt::ISODate),
                         QTime(0, 0).addSecs(i % 96 * 900).toString(QStringLiteral("HH:mm:ss"))};
    });
    made[{n, memory}] = path;
    return path;
}

// A run of 100 new measurements (none in the file yet).
QList<BpRecord> runOf100()
{
    QList<BpRecord> records;
    for (int i = 0; i < 100; ++i)
        records << BpRecord{quint8(110 + i % 60), quint8(70 + i % 30), quint8(60 + i % 40), 5,
                            quint8(1 + i / 24), quint8(i % 24), 30};
    return records;
}

void BM_SaveRecords(benchmark::State& state)
{
    const int rows = int(state.range(0));
    const bool memory = state.range(1) != 0;
    QuietSeams seams;
    installSeams(&seams);
    const QString base = fileWith(rows, memory);
    const QString path = folder(memory).filePath(QStringLiteral("work.amb"));
    const QList<BpRecord> records = runOf100();
    for (auto _ : state) {
        state.PauseTiming();
        gRecordset.reset();
        gConnection.reset();
        QFile::remove(path);
        QFile::copy(base, path);
        auto connection = std::make_shared<Connection>();
        connection->setCursorLocation(Connection::UseClient);
        auto rs = std::make_shared<Recordset>();
        if (!connection->openFile(path)
            || !rs->open(AmbSchema::recordQuery(EditionId::English), connection)) {
            state.SkipWithError("cannot open the data file");
            break;
        }
        gDataFile = path;
        gFileReady = true;
        gConnection = connection;
        gRecordset = rs;
        state.ResumeTiming();

        if (!SaveRecords(records).ok()) {
            state.SkipWithError(qPrintable(seams.lastMessage));
            break;
        }
        benchmark::DoNotOptimize(gRecordCount);
    }
    if (gRecordCount != rows + 100)
        state.SkipWithError("not every record was stored");
    gRecordset.reset();
    gConnection.reset();
    installSeams(nullptr);
    state.counters["rows_stored"] = 100;
}

} // namespace

// Arguments: rows in the file, memory file system (1) or disk (0).
BENCHMARK(BM_SaveRecords)
    ->ArgsProduct({{100, 10000, 100000}, {0, 1}})
    ->ArgNames({"rows", "memfs"})
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3);

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
