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
// Counters: stall_ms (longest gap of a 1 ms timer on the UI thread),
// cache_kb (the index file), rss_mb (more than before index and window).
#include "data/AmbSchema.h"
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

constexpr int kPatientRecordings = 40;

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

void exec(sqlite3* db, const QString& sql)
{
    sqlite3_exec(db, sql.toUtf8().constData(), nullptr, nullptr, nullptr);
}

// A recording of patient p: 300 readings from its start, every 4.8 minutes.
void makeRecording(const QString& path, int p, const QDateTime& start)
{
    AmbSchema::createDataFile(path, EditionId::English);
    sqlite3* db = nullptr;
    sqlite3_open(QFile::encodeName(path).constData(), &db);
    exec(db, QStringLiteral("PRAGMA synchronous=OFF; BEGIN;"));
    for (int i = 0; i < 300; ++i) {
        const QDateTime t = start.addSecs(qint64(i) * 288);
        const int night = t.time().hour() >= 22 || t.time().hour() < 7;
        const int sys = 118 + p % 40 - night * 14 + (i * 7) % 11, dia = 74 + p % 20 - night * 9 + (i * 5) % 7;
        exec(db, QStringLiteral("insert into ambpdata (Date,Time,SYS_mmHg,DIA_mmHg,MAP_mmHg,Pulse_min) values "
                                "('%1','%2',%3,%4,%5,%6)")
                     .arg(t.date().toString(Qt::ISODate), t.time().toString(QStringLiteral("HH:mm:ss")))
                     .arg(sys)
                     .arg(dia)
                     .arg((sys + 2 * dia) / 3)
                     .arg(60 + i % 20));
    }
    exec(db, QStringLiteral("create table ambpdetails (Field TEXT PRIMARY KEY NOT NULL, Value TEXT NOT NULL);"
                            "insert into ambpdetails values ('PatientNumber', 'P%1'), ('Surname', 'Name%1'),"
                            " ('FirstName', 'Anna'), ('BirthDate', '1956-04-03'), ('RecordingStart', '%2'); COMMIT;")
                 .arg(p, 4, 10, QLatin1Char('0'))
                 .arg(start.toString(QStringLiteral("yyyy-MM-ddTHH:mm"))));
    sqlite3_close(db);
}

void setStart(const QString& path, const QDateTime& start)
{
    sqlite3* db = nullptr;
    sqlite3_open(QFile::encodeName(path).constData(), &db);
    exec(db, QStringLiteral("PRAGMA synchronous=OFF; update ambpdetails set Value = '%1' where Field = 'RecordingStart';")
                 .arg(start.toString(QStringLiteral("yyyy-MM-ddTHH:mm"))));
    sqlite3_close(db);
}

struct Folder {
    QString path;
    QString newestOfPatient0;
};

// n files in subfolders of 500; one in twenty damaged or foreign.
const Folder& folderOf(int n)
{
    static QTemporaryDir root;
    static std::map<int, Folder> made;
    if (made.count(n))
        return made[n];
    Folder f;
    f.path = root.filePath(QString::number(n));
    const int bad = n / 20;
    const int good = n - bad;
    const int patients = std::max(1, good / 38);
    const QDateTime first(QDate(2024, 1, 8), QTime(9, 0), Qt::UTC);
    const QString templates = root.filePath(QStringLiteral("templates%1").arg(n));
    QDir().mkpath(templates);
    for (int p = 0; p < patients; ++p)
        makeRecording(templates + QStringLiteral("/%1.amb").arg(p), p, first.addDays(p % 300));
    auto target = [&f](int i) {
        const QString sub = f.path + QStringLiteral("/%1").arg(2000 + i / 500);
        QDir().mkpath(sub);
        return sub + QStringLiteral("/rec%1.amb").arg(i, 5, 10, QLatin1Char('0'));
    };
    for (int i = 0; i < good; ++i) {
        // Patient 0 has the first 40 (or all, when fewer), each with its own start.
        const int p = i < std::min(kPatientRecordings, good) ? 0 : 1 + (i - kPatientRecordings) % std::max(1, patients - 1);
        const QString path = target(i);
        QFile::copy(templates + QStringLiteral("/%1.amb").arg(std::min(p, patients - 1)), path);
        if (p == 0 && i < kPatientRecordings) {
            setStart(path, first.addDays(i * 30 + 1));
            f.newestOfPatient0 = path;
        }
    }
    for (int i = good; i < n; ++i) {
        const QString path = target(i);
        const int kind = i % 5;
        if (kind == 0 || kind == 1) {
            QFile::copy(templates + QStringLiteral("/0.amb"), path);
            QFile file(path);
            file.open(QIODevice::ReadWrite);
            if (kind == 0) {
                file.resize(3000); // cut short
            } else {
                file.seek(8192);
                file.write(QByteArray(4000, '\x5a')); // pages overwritten
            }
        } else if (kind == 2) {
            QFile file(path);
            file.open(QIODevice::WriteOnly);
            file.write("Befund folgt\n");
        } else if (kind == 3) {
            AmbSchema::createDataFile(path, EditionId::German);
        } else {
            sqlite3* db = nullptr;
            sqlite3_open(QFile::encodeName(path).constData(), &db);
            exec(db, QStringLiteral("create table patients (name TEXT)"));
            sqlite3_close(db);
        }
    }
    QDir(templates).removeRecursively();
    made[n] = f;
    return made[n];
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
    const Folder& folder = folderOf(n);
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
    const Folder& folder = folderOf(100);
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
    const Folder& folder = folderOf(n);
    for (auto _ : state) {
        RecordingsIndex index(folder.path, cacheFolderOf(n));
        frmRecordings window;
        window.resize(1024, 700);
        window.showFolder(&index);
        window.show();
        runUntil([&] { return window.model()->rowCount() == n; });
        paintNow(window);
        state.PauseTiming();
        runUntil([&] { return settled(index); });
        state.ResumeTiming();
    }
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
    const Folder& folder = folderOf(n);
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

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    Edition::select(EditionId::English);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
