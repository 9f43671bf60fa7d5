#pragma once
// Watches the import folder for requests to us, while the program runs and
// once at the start: the folder's changes (QFileSystemWatcher) and a poll
// (changes on network folders are not always told) both lead to one scan.
//
// A request file is taken only when it is whole: unchanged since the scan
// before, and whole as its 8100 and its last line say (gdtFileComplete). A
// file that stays incomplete (a writer that stopped, an 8100 that never
// agrees) is refused once it has not changed for the wait limit. Only a
// regular file (or a link to one) is read, never more than the largest
// request and never so that the scan could block: a FIFO or a link to a
// device named like a request is refused.
//
// A file that reads as a request is handed on and deleted; one that does
// not is moved into failed/ with a note (GdtFolder::setAside) and reported
// with why. A request of two records hands on the first and sets the file
// aside, reported as restLeft. Each file is handed on or reported once:
// one that cannot be deleted or moved stays, and is passed over until it
// changes (its size, time or inode). That memory lasts while the folder
// and both IDs stay the same, across a pause and a watch() with the same
// settings, so such a file is never handed on twice.
#include "exchange/GdtFolder.h"
#include "exchange/GdtRequest.h"

#include <QDateTime>
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
        // is the path in failed/ (empty: it could not be moved, for the
        // reason in notMoved).
        std::function<void(const QString& path, const GdtReadError& error, const QString& moved,
                           const QString& notMoved)>
            refused;
        // After taken, for a file with more than the first record: where
        // the rest starts, and as for refused where the file went.
        std::function<void(const QString& path, int restFromLine, const QString& moved, const QString& notMoved)>
            restLeft;
    };

    explicit GdtRequestWatcher(Hooks hooks, QObject* parent = nullptr);

    // Starts watching (and scans at once, unless paused); an empty folder
    // stops. The same folder and IDs again change nothing; other ones
    // start with no memory of the files seen.
    void watch(const QString& folder, const QString& ownId, const QString& pvsId);
    // While paused nothing is scanned and the memory stays. Resuming scans
    // once and the poll starts over from there, so a file that came during
    // the pause is still taken only by a later scan that finds it unchanged.
    void setPaused(bool paused);
    void setPollInterval(int milliseconds) { m_poll.setInterval(milliseconds); }
    // How long an incomplete file may stay unchanged before it is refused.
    void setWaitLimit(int seconds) { m_waitLimitSeconds = seconds; }
    // The clock the wait limit is measured by (the seams' clock unless set).
    void setClock(std::function<QDateTime()> clock) { m_clock = std::move(clock); }
    void scan();

    static constexpr qint64 kLargestRequest = 1 << 20;
    static constexpr int kDefaultWaitLimitSeconds = 180;

private:
    void take(const QString& path, const GdtFolder::Read& read, bool incomplete);
    void refuse(const QString& path, const GdtReadError& error);

    Hooks m_hooks;
    QFileSystemWatcher m_watcher;
    QTimer m_poll;
    QString m_folder, m_ownId, m_pvsId;
    int m_waitLimitSeconds = kDefaultWaitLimitSeconds;
    std::function<QDateTime()> m_clock;
    struct Seen {
        GdtFolder::Stamp stamp;
        QDateTime unchangedSince;
    };
    QHash<QString, Seen> m_seen;
    // Files handed on or reported that are still there, as they were then.
    QHash<QString, GdtFolder::Stamp> m_done;
    bool m_scanning = false;
    bool m_paused = false;
};
