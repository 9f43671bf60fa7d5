#include "data/RecordingsScanner.h"

#include <QDirIterator>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QSet>

namespace {

// Entries go over in batches small enough for the UI thread to take in
// between two paints, and at least this often while files are read.
constexpr int kBatchEntries = 100;
constexpr qint64 kBatchMs = 100;
// A file held by a writer is left for the next look rather than waited for.
constexpr int kBusyTimeoutMs = 200;

} // namespace

RecordingsScanner::RecordingsScanner(const QString& folder, const QString& cachePath)
    : m_folder(folder)
    , m_cachePath(cachePath)
{
}

void RecordingsScanner::start(const QString& stamp)
{
    m_stamp = stamp;
    m_cache.open(m_cachePath, stamp);
    // In one batch: a list that shows them takes them in one go.
    QList<RecordingEntry> batch = m_cache.load();
    for (const RecordingEntry& e : batch)
        m_known.insert(e.path, e);
    hand(batch);
}

void RecordingsScanner::hand(QList<RecordingEntry>& batch)
{
    if (batch.isEmpty())
        return;
    emit found(batch);
    batch.clear();
}

void RecordingsScanner::scan(const AbpmPeriodChoice& choice, const QString& stamp)
{
    // Other periods or figures: every entry is computed again. A cache
    // file deleted meanwhile is made again from the files.
    if (stamp != m_stamp || !m_cache.stillThere()) {
        m_stamp = stamp;
        m_cache.open(m_cachePath, stamp);
        for (RecordingEntry& e : m_known)
            e.modifiedNs = -1;
    }
    const QFileInfo root(m_folder);
    if (!root.isDir() || !root.isReadable()) {
        emit reachable(false);
        emit scanned();
        return;
    }
    emit reachable(true);

    QStringList changed;
    QSet<QString> seen;
    QStringList walked{m_folder};
    QDirIterator it(m_folder, QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot | QDir::Hidden,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        if (stop)
            return;
        const QString path = it.next();
        const QFileInfo info = it.fileInfo();
        if (info.isDir()) {
            if (!info.isSymLink())
                walked << path;
            continue;
        }
        if (info.suffix().compare(QLatin1String("amb"), Qt::CaseInsensitive) != 0)
            continue;
        seen.insert(path);
        const std::optional<FileKey> key = fileKeyOf(path);
        const auto known = m_known.constFind(path);
        if (!key || known == m_known.constEnd() || known->readAgain() || known->size != key->size
            || known->modifiedNs != key->modifiedNs)
            changed << path;
    }
    // A walk cut short by a vanished folder must not drop what it missed.
    if (!QFileInfo(m_folder).isDir()) {
        emit reachable(false);
        emit scanned();
        return;
    }
    emit folders(walked);

    QStringList goneNow;
    for (auto k = m_known.cbegin(); k != m_known.cend(); ++k)
        if (!seen.contains(k.key()))
            goneNow << k.key();
    if (!goneNow.isEmpty()) {
        for (const QString& p : goneNow)
            m_known.remove(p);
        m_cache.drop(goneNow);
        emit gone(goneNow);
    }

    const int total = int(changed.size());
    if (total > 0)
        emit progress(0, total);
    QList<RecordingEntry> batch;
    QElapsedTimer sinceHanded;
    sinceHanded.start();
    for (int i = 0; i < total; ++i) {
        if (stop)
            break;
        const RecordingEntry e = readRecordingEntry(changed[i], choice, kBusyTimeoutMs);
        m_known.insert(e.path, e);
        batch << e;
        if (batch.size() >= kBatchEntries || sinceHanded.elapsed() >= kBatchMs || i + 1 == total) {
            m_cache.store(batch);
            hand(batch);
            emit progress(i + 1, total);
            sinceHanded.restart();
        }
    }
    if (!batch.isEmpty()) {
        m_cache.store(batch);
        hand(batch);
    }
    if (!stop)
        emit scanned();
}

void RecordingsScanner::finish()
{
    m_cache.close();
}
