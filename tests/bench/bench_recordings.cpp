// The recordings index and window over a folder of generated recordings
// (300 readings each; one in twenty damaged or foreign as the damaged-file
// tests make them: cut short, pages overwritten, a text file, the other
// edition's, a database without the table), 100 or 10,000 files:
//   FirstScan      a first look with an empty cache while the window shows
//                  the list, and the longest event-loop stall meanwhile
//   ReadEntry      one file read and its summary computed (the worker's part)
//   OpenWindow     the window over the index the program holds, to first paint
//   OpenFromCache  a new index from the cache (program started again) and
//                  the window, to first paint with every row
//   SearchKey      one keystroke in the search box to the list repainted
//   ShowRequest    what 6311 does: a fresh look, the patient's newest
//                  (40 recordings of one patient), opened as Open does
//   FiguresAgree   the list and the comparison pages against every file's
//                  own summary (a check, not a speed)
// Counters: stall_ms (longest gap of a 1 ms timer on the UI thread),
// cache_kb (the index file), rss_mb (more than before index and window).
#include "RecordingsAgreement.h"
#include "RecordingsFolder.h"
#include "support/ScriptedSeams.h"

#include "data/FileCommands.h"
#include "data/RecordingsIndex.h"
#include "state/SharedState.h"
#include "text/Edition.h"
#include "views/RecordingsModel.h"
#include "views/frmRecordings.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLineEdit>
#include <QTableView>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <map>
#include <memory>

namespace {

double rssMb()
{
    QFile f(QStringLiteral("/proc/self/status"));
    if (!f.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray& line : f.readAll().split('\n'))
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').value(0).toDouble() / 1024.0;
    return 0;
}

// The longest time the UI thread did not come back to its event loop.
class StallProbe : public QObject {
public:
    StallProbe()
    {
        m_timer.setTimerType(Qt::PreciseTimer);
        m_timer.setInterval(1);
        QObject::connect(&m_timer, &QTimer::timeout, this, [this] {
            const qint64 now = m_clock.nsecsElapsed();
            m_longestNs = std::max(m_longestNs, now - m_last);
            m_last = now;
        });
        m_clock.start();
        m_last = 0;
        m_timer.start();
    }
    double longestMs() const { return double(m_longestNs) / 1e6; }

private:
    QTimer m_timer;
    QElapsedTimer m_clock;
    qint64 m_last = 0;
    qint64 m_longestNs = 0;
};

void runUntil(const std::function<bool()>& done)
{
    while (!done())
        QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents, 5);
}

bool settled(const RecordingsIndex& index)
{
    return index.looked() && !index.scanning();
}

// Paints the window now and waits for nothing.
void paintNow(frmRecordings& window)
{
    window.grdRecordings->viewport()->repaint();
}

std::unique_ptr<RecordingsIndex>& heldIndex(int n)
{
    static std::map<int, std::unique_ptr<RecordingsIndex>> held;
    return held[n];
}

QString cacheFolderOf(int n)
{
    static QTemporaryDir caches;
    return caches.filePath(QString::number(n));
}

void BM_FirstScan(benchmark::State& state)
{
    const int n = int(state.range(0));
    const RecordingsFolder& folder = recordingsFolderOf(n);
    double stall = 0, rss = 0, cacheKb = 0;
    for (auto _ : state) {
        QDir(cacheFolderOf(n)).removeRecursively();
        heldIndex(n).reset();
        const double before = rssMb();
        auto index = std::make_unique<RecordingsIndex>(folder.path, cacheFolderOf(n));
        frmRecordings window;
        window.resize(1024, 700);
        window.showFolder(index.get());
        window.show();
        paintNow(window); // the first paint of a window (fonts) is not the index's
        StallProbe probe;
        runUntil([&] { return settled(*index); });
        paintNow(window);
        stall = probe.longestMs();
        rss = rssMb() - before;
        cacheKb = double(QFileInfo(index->cachePath()).size()) / 1024.0;
        if (index->entries().size() != n)
            state.SkipWithError("not every file listed");
        heldIndex(n) = std::move(index);
    }
    state.counters["stall_ms"] = stall;
    state.counters["rss_mb"] = rss;
    state.counters["cache_kb"] = cacheKb;
}
BENCHMARK(BM_FirstScan)->Arg(100)->Arg(10000)->Iterations(1)->Unit(benchmark::kMillisecond)->UseRealTime();

// What the worker does per file: one recording of 300 readings read for
// reading only and its summary computed (the first look's cost is this
// times the files, on one core).
void BM_ReadEntry(benchmark::State& state)
{
    const RecordingsFolder& folder = recordingsFolderOf(100);
    const AbpmPeriodChoice choice;
    for (auto _ : state) {
        const RecordingEntry e = readRecordingEntry(folder.newestOfPatient0, choice, 200);
        if (!e.readable())
            state.SkipWithError("not read");
        benchmark::DoNotOptimize(e.valid);
    }
}
BENCHMARK(BM_ReadEntry)->Arg(100)->Unit(benchmark::kMillisecond);

void BM_OpenWindow(benchmark::State& state)
{
    const int n = int(state.range(0));
    if (!heldIndex(n)) {
        state.SkipWithError("run FirstScan first");
        return;
    }
    for (auto _ : state) {
        frmRecordings window;
        window.resize(1024, 700);
        window.showFolder(heldIndex(n).get());
        window.show();
        paintNow(window);
        if (window.model()->rowCount() != n)
            state.SkipWithError("rows missing");
    }
}
BENCHMARK(BM_OpenWindow)->Arg(100)->Arg(10000)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_OpenFromCache(benchmark::State& state)
{
    const int n = int(state.range(0));
    const RecordingsFolder& folder = recordingsFolderOf(n);
    double stall = 0;
    for (auto _ : state) {
        RecordingsIndex index(folder.path, cacheFolderOf(n));
        frmRecordings window;
        window.resize(1024, 700);
        window.showFolder(&index);
        window.show();
        StallProbe probe;
        runUntil([&] { return window.model()->rowCount() == n; });
        paintNow(window);
        stall = std::max(stall, probe.longestMs());
        state.PauseTiming();
        runUntil([&] { return settled(index); });
        state.ResumeTiming();
    }
    state.counters["stall_ms"] = stall;
}
BENCHMARK(BM_OpenFromCache)->Arg(100)->Arg(10000)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_SearchKey(benchmark::State& state)
{
    const int n = int(state.range(0));
    if (!heldIndex(n)) {
        state.SkipWithError("run FirstScan first");
        return;
    }
    frmRecordings window;
    window.resize(1024, 700);
    window.showFolder(heldIndex(n).get());
    window.show();
    paintNow(window);
    const QString typed = QStringLiteral("name01");
    int at = 0;
    for (auto _ : state) {
        // Type the next letter, or start again.
        if (at == typed.size()) {
            state.PauseTiming();
            window.txtSearch->clear();
            paintNow(window);
            at = 0;
            state.ResumeTiming();
        }
        QTest::keyClick(window.txtSearch, typed.at(at++).toLatin1());
        paintNow(window);
    }
}
BENCHMARK(BM_SearchKey)->Arg(100)->Arg(10000)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_ShowRequest(benchmark::State& state)
{
    const int n = int(state.range(0));
    const RecordingsFolder& folder = recordingsFolderOf(n);
    if (!heldIndex(n)) {
        state.SkipWithError("run FirstScan first");
        return;
    }
    double stall = 0;
    for (auto _ : state) {
        RecordingsIndex& index = *heldIndex(n);
        StallProbe probe;
        bool done = false;
        index.afterFreshLook(&index, [&] {
            FileCommands::openPath(index.newestOf(QStringLiteral("P0000")));
            done = true;
        });
        runUntil([&] { return done; });
        stall = std::max(stall, probe.longestMs());
        if (gDataFile != folder.newestOfPatient0 || !gFileReady)
            state.SkipWithError("not the newest");
    }
    state.counters["stall_ms"] = stall;
}
BENCHMARK(BM_ShowRequest)->Arg(100)->Arg(10000)->Unit(benchmark::kMillisecond)->UseRealTime();

// Not a speed: whether the list (as scanned, and as read back from the
// cache by the next run) and the comparison pages show each file's own
// summary, for every file of the folder. Disagreements end the run with
// the first of them.
void BM_FiguresAgree(benchmark::State& state)
{
    const int n = int(state.range(0));
    const RecordingsFolder& folder = recordingsFolderOf(n);
    if (!heldIndex(n)) {
        state.SkipWithError("run FirstScan first");
        return;
    }
    ScriptedSeams quiet; // a file that will not open says so without a dialog
    QStringList found;
    for (auto _ : state) {
        RecordingsModel scanned(heldIndex(n).get());
        RecordingsIndex next(folder.path, cacheFolderOf(n));
        RecordingsModel cached(&next);
        next.start();
        runUntil([&] { return scanned.rowCount() == n && cached.rowCount() == n && settled(next); });
        found = listDisagreements(scanned, folder) + listDisagreements(cached, folder)
            + comparisonDisagreements(scanned, folder);
    }
    state.counters["files"] = n;
    state.counters["disagreements"] = double(found.size());
    if (!found.isEmpty())
        state.SkipWithError(qPrintable(found.first()));
}
BENCHMARK(BM_FiguresAgree)->Arg(100)->Arg(10000)->Iterations(1)->Unit(benchmark::kSecond)->UseRealTime();

} // namespace

int main(int argc, char** argv)
{
    // The offscreen platform notes every window it cannot size; that says nothing here.
    static const QtMessageHandler shown = qInstallMessageHandler(nullptr);
    qInstallMessageHandler([](QtMsgType type, const QMessageLogContext& context, const QString& text) {
        if (!text.contains(QLatin1String("propagateSizeHints")))
            shown(type, context, text);
    });
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    Edition::select(EditionId::English);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
