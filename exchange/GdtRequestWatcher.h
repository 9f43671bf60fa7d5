#pragma once
// Watches the import folder for requests to us, while the program runs and
// once at the start: the folder's changes (QFileSystemWatcher) and a poll
// (changes on network folders are not always told) both lead to one scan.
// A request file is taken only when it is whole: its size has not changed
// since the scan before, and its 8100 agrees with its size; a file whose
// 8100 never agrees (some systems count LF-only lines) is taken once its
// size has stayed the same for settleScans scans. A file that reads as a
// request is handed on and deleted; one that does not is moved into
// failed/ with a note (GdtFolder::setAside) and reported with why.
#include "exchange/GdtRequest.h"

#include <QFileSystemWatcher>
#include <QHash>
#include <QObject>
#include <QTimer>

#include <functional>

class GdtRequestWatcher : public QObject {
    Q_OBJECT
public:
    struct Hooks {
        std::function<void(const GdtRequest&, const QString& path)> taken;
        // The file's path, the line (0: the file as a whole) and why; moved
        // is the path in failed/ (empty: it could not be moved).
        std::function<void(const QString& path, const GdtReadError& error, const QString& moved)> refused;
    };

    explicit GdtRequestWatcher(Hooks hooks, QObject* parent = nullptr);

    // Starts watching (and scans at once); an empty folder stops.
    void watch(const QString& folder, const QString& ownId, const QString& pvsId);
    void setPollInterval(int milliseconds) { m_poll.setInterval(milliseconds); }
    void setSettleScans(int scans) { m_settleScans = scans; }
    void scan();

    static constexpr qint64 kLargestRequest = 1 << 20;

private:
    void take(const QString& path);

    Hooks m_hooks;
    QFileSystemWatcher m_watcher;
    QTimer m_poll;
    QString m_folder, m_ownId, m_pvsId;
    int m_settleScans = 5;
    struct Seen {
        qint64 size = -1;
        int stableScans = 0;
    };
    QHash<QString, Seen> m_seen;
    bool m_scanning = false;
};
