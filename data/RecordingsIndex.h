#pragma once
// The recordings of a folder (with its subfolders), kept current in the
// background: one worker thread (RecordingsScanner) reads the data files
// for reading only and hands finished entries over; this object, on the
// UI thread, holds them and tells whoever shows them. What the cache
// (RecordingsCache, in the user's cache folder) knew is there at once;
// the first look at the folder then reads what is new or changed, with
// progress. Afterwards the folder is looked at again when it changes (a
// file system watch on it and its subfolders), at a steady interval for
// shares that send no change notes, and soon after it went away (the
// entries stay, marked unreachable, until it is back).
//
// One index per folder lives for the rest of the run (forFolder); the
// practice-system link and New ask the data folder's.
#include "data/RecordingEntry.h"

#include <QHash>
#include <QObject>
#include <QPointer>
#include <QStringList>
#include <QThread>
#include <QTimer>

#include <functional>

class QFileSystemWatcher;
class RecordingsScanner;

class RecordingsIndex : public QObject {
    Q_OBJECT
public:
    // The figures' version in the cache: raise it when the summary's
    // figures change, so that every cached entry is computed again.
    static constexpr int kFiguresVersion = 2;

    RecordingsIndex(const QString& folder, const QString& cacheFolder, QObject* parent = nullptr);
    ~RecordingsIndex() override;

    // The index of a folder for the rest of the run, started.
    static RecordingsIndex& forFolder(const QString& folder);
    // The data folder's (DataFolder::startFolder).
    static RecordingsIndex& forDataFolder();
    // Where the caches are kept: the platform's cache folder (XDG_CACHE_HOME).
    static QString defaultCacheFolder();

    QString folder() const { return m_folder; }
    QString cachePath() const { return m_cachePath; }

    // Loads the cache and looks at the folder; once.
    void start();
    // Looks at the folder again soon (changes come in bursts).
    void rescan();
    // Looks at the folder again at once and calls done (on this thread)
    // after a look that began after this call, so that a file written a
    // moment ago is in; nothing is waited for meanwhile.
    void afterFreshLook(QObject* context, std::function<void()> done);

    const QHash<QString, RecordingEntry>& entries() const { return m_entries; }
    bool reachable() const { return m_reachable; }
    bool scanning() const { return m_scanning; }
    // Whether the folder was looked at since the start.
    bool looked() const { return m_looked; }

    // The newest readable recording of a patient number (by its start);
    // empty when there is none.
    QString newestOf(const QString& patientNumber) const;

    void setIntervals(int steadyMs, int unreachableMs);

signals:
    void entriesFound(const QList<RecordingEntry>& entries);
    void entriesGone(const QStringList& paths);
    void progress(int done, int total);
    void reachableChanged(bool reachable);
    void lookFinished();

private:
    void runScan();
    void takeFound(const QList<RecordingEntry>& entries);
    void takeGone(const QStringList& paths);
    void takeFolders(const QStringList& folders);
    void takeReachable(bool reachable);
    void scanDone();
    QString stamp() const;

    QString m_folder;
    QString m_cachePath;
    QThread m_thread;
    RecordingsScanner* m_scanner = nullptr;
    QFileSystemWatcher* m_watcher = nullptr;
    QTimer m_soon;
    QTimer m_steady;
    QHash<QString, RecordingEntry> m_entries;
    bool m_started = false;
    bool m_scanning = false;
    bool m_again = false;
    bool m_looked = false;
    bool m_reachable = true;
    int m_steadyMs = 60000;
    int m_unreachableMs = 3000;
    std::vector<std::pair<QPointer<QObject>, std::function<void()>>> m_waiting;
    std::vector<std::pair<QPointer<QObject>, std::function<void()>>> m_afterThis;
};
