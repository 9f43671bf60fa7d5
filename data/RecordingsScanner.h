#pragma once
// The worker of the recordings index: lives on the index's own thread,
// walks the folder (with its subfolders), reads every data file that is
// new or changed (by path, size and modification time) for reading only,
// with its own database connections, and hands finished entries to the UI
// thread in small batches through queued signals. It never touches the
// current data file's connection or the shared state. The cache file is
// its alone.
#include "data/RecordingEntry.h"
#include "data/RecordingsCache.h"

#include <QHash>
#include <QObject>
#include <QStringList>

#include <atomic>

class RecordingsScanner : public QObject {
    Q_OBJECT
public:
    RecordingsScanner(const QString& folder, const QString& cachePath);

    // Set from any thread: the scan in progress ends at the next file.
    std::atomic<bool> stop{false};

    // Both run on the worker thread (queued calls). start loads the cache
    // and hands over what it knows; scan looks at the folder.
    void start(const QString& stamp);
    void scan(const AbpmPeriodChoice& choice, const QString& stamp);
    void finish();

signals:
    void found(const QList<RecordingEntry>& entries);
    void gone(const QStringList& paths);
    void progress(int done, int total);
    void folders(const QStringList& folders);
    void reachable(bool reachable);
    void scanned();

private:
    void hand(QList<RecordingEntry>& batch);

    QString m_folder;
    QString m_cachePath;
    QString m_stamp;
    RecordingsCache m_cache;
    QHash<QString, RecordingEntry> m_known;
};
