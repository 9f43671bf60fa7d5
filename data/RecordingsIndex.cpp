#include "data/RecordingsIndex.h"

#include "data/AbpmSettings.h"
#include "data/DataFolder.h"
#include "data/RecordingsCache.h"
#include "data/RecordingsScanner.h"
#include "text/Edition.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QFileSystemWatcher>
#include <QStandardPaths>

#include <map>
#include <memory>

namespace {

// Changes come in bursts (a copy of 200 files, a journal made and removed
// by every write): one look after the burst.
constexpr int kSoonMs = 300;

std::map<QString, RecordingsIndex*>& shared()
{
    static std::map<QString, RecordingsIndex*> indexes;
    return indexes;
}

void endShared()
{
    for (auto& [folder, index] : shared())
        delete index;
    shared().clear();
}

QString cleanFolder(const QString& folder)
{
    return QDir::cleanPath(QFileInfo(folder).absoluteFilePath());
}

} // namespace

RecordingsIndex::RecordingsIndex(const QString& folder, const QString& cacheFolder, QObject* parent)
    : QObject(parent)
    , m_folder(cleanFolder(folder))
    , m_cachePath(RecordingsCache::pathFor(cacheFolder, cleanFolder(folder), Edition::current().id()))
{
    qRegisterMetaType<QList<RecordingEntry>>();
    m_soon.setSingleShot(true);
    m_soon.setInterval(kSoonMs);
    connect(&m_soon, &QTimer::timeout, this, &RecordingsIndex::runScan);
    m_steady.setSingleShot(true);
    connect(&m_steady, &QTimer::timeout, this, &RecordingsIndex::runScan);

    m_scanner = new RecordingsScanner(m_folder, m_cachePath);
    m_scanner->moveToThread(&m_thread);
    connect(&m_thread, &QThread::finished, m_scanner, &QObject::deleteLater);
    connect(m_scanner, &RecordingsScanner::found, this, &RecordingsIndex::takeFound);
    connect(m_scanner, &RecordingsScanner::gone, this, &RecordingsIndex::takeGone);
    connect(m_scanner, &RecordingsScanner::progress, this, &RecordingsIndex::progress);
    connect(m_scanner, &RecordingsScanner::folders, this, &RecordingsIndex::takeFolders);
    connect(m_scanner, &RecordingsScanner::reachable, this, &RecordingsIndex::takeReachable);
    connect(m_scanner, &RecordingsScanner::scanned, this, &RecordingsIndex::scanDone);
    m_thread.setObjectName(QStringLiteral("recordings index"));

    m_watcher = new QFileSystemWatcher(this);
    connect(m_watcher, &QFileSystemWatcher::directoryChanged, this, &RecordingsIndex::rescan);
}

RecordingsIndex::~RecordingsIndex()
{
    m_scanner->stop = true;
    if (m_thread.isRunning()) {
        RecordingsScanner* scanner = m_scanner;
        QMetaObject::invokeMethod(scanner, [scanner] { scanner->finish(); }, Qt::QueuedConnection);
        m_thread.quit();
        m_thread.wait();
    } else {
        delete m_scanner;
    }
}

RecordingsIndex& RecordingsIndex::forFolder(const QString& folder)
{
    const QString key = cleanFolder(folder);
    RecordingsIndex*& index = shared()[key];
    if (!index) {
        if (shared().size() == 1)
            qAddPostRoutine(endShared);
        index = new RecordingsIndex(key, defaultCacheFolder());
        index->start();
    }
    return *index;
}

RecordingsIndex& RecordingsIndex::forDataFolder()
{
    return forFolder(DataFolder::startFolder());
}

QString RecordingsIndex::defaultCacheFolder()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericCacheLocation) + QStringLiteral("/KORVANE");
}

QString RecordingsIndex::stamp() const
{
    const AbpmPeriodChoice choice = AbpmSettings::load();
    const AbpmPeriods periods = choice.inForce();
    return QStringLiteral("%1 %2 %3 %4")
        .arg(kFiguresVersion)
        .arg(periods.day.text(), periods.night.text(), thresholdSetKey(choice.thresholds));
}

void RecordingsIndex::start()
{
    if (m_started)
        return;
    m_started = true;
    m_thread.start(QThread::LowPriority);
    RecordingsScanner* scanner = m_scanner;
    const QString s = stamp();
    QMetaObject::invokeMethod(scanner, [scanner, s] { scanner->start(s); }, Qt::QueuedConnection);
    runScan();
}

void RecordingsIndex::rescan()
{
    if (m_started)
        m_soon.start();
}

void RecordingsIndex::afterFreshLook(QObject* context, std::function<void()> done)
{
    m_waiting.emplace_back(context, std::move(done));
    start();
    runScan();
}

void RecordingsIndex::setIntervals(int steadyMs, int unreachableMs)
{
    m_steadyMs = steadyMs;
    m_unreachableMs = unreachableMs;
}

void RecordingsIndex::runScan()
{
    if (m_scanning) {
        m_again = true;
        return;
    }
    m_soon.stop();
    m_steady.stop();
    m_scanning = true;
    m_again = false;
    for (auto& w : m_waiting)
        m_afterThis.push_back(std::move(w));
    m_waiting.clear();
    RecordingsScanner* scanner = m_scanner;
    const AbpmPeriodChoice choice = AbpmSettings::load();
    const QString s = stamp();
    QMetaObject::invokeMethod(scanner, [scanner, choice, s] { scanner->scan(choice, s); }, Qt::QueuedConnection);
}

void RecordingsIndex::takeFound(const QList<RecordingEntry>& entries)
{
    for (const RecordingEntry& e : entries)
        m_entries.insert(e.path, e);
    emit entriesFound(entries);
}

void RecordingsIndex::takeGone(const QStringList& paths)
{
    for (const QString& p : paths)
        m_entries.remove(p);
    emit entriesGone(paths);
}

void RecordingsIndex::takeFolders(const QStringList& folders)
{
    const QStringList watched = m_watcher->directories();
    QStringList added;
    // The folder's own going away shows in the folder above it.
    QStringList wanted = folders;
    if (const QString above = QFileInfo(m_folder).absolutePath(); above != m_folder)
        wanted << above;
    for (const QString& f : wanted)
        if (!watched.contains(f))
            added << f;
    if (!added.isEmpty())
        m_watcher->addPaths(added);
}

void RecordingsIndex::takeReachable(bool reachable)
{
    if (reachable == m_reachable)
        return;
    m_reachable = reachable;
    if (!reachable) {
        QStringList gone = m_watcher->directories();
        gone.removeAll(QFileInfo(m_folder).absolutePath());
        if (!gone.isEmpty())
            m_watcher->removePaths(gone);
    }
    emit reachableChanged(reachable);
}

void RecordingsIndex::scanDone()
{
    m_scanning = false;
    m_looked = true;
    auto done = std::move(m_afterThis);
    m_afterThis.clear();
    emit lookFinished();
    for (auto& [context, call] : done)
        if (context)
            call();
    if (m_again || !m_waiting.empty())
        runScan();
    else
        m_steady.start(m_reachable ? m_steadyMs : m_unreachableMs);
}

QString RecordingsIndex::newestOf(const QString& patientNumber) const
{
    QString newest;
    QDateTime newestStart;
    for (const RecordingEntry& e : m_entries) {
        if (!e.readable() || e.number != patientNumber || patientNumber.isEmpty())
            continue;
        if (newest.isEmpty() || e.start > newestStart || (e.start == newestStart && e.path > newest)) {
            newest = e.path;
            newestStart = e.start;
        }
    }
    return newest;
}
