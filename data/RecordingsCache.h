#pragma once
// The recordings index kept between runs: one SQLite file per folder and
// edition in the user's cache folder (never in the practice's folder). It
// is only a cache: what it holds is read again from the data files when
// it is missing, damaged, of another version or made under other day and
// night periods, so deleting it loses nothing. Used by one thread only.
#include "data/RecordingEntry.h"
#include "platform/SqliteFile.h"

#include <QList>
#include <QString>
#include <QStringList>

class RecordingsCache {
public:
    // The cache file of a folder in an edition under cacheFolder.
    static QString pathFor(const QString& cacheFolder, const QString& dataFolder, EditionId edition);

    // Opens (or makes) the file; stamp names what its entries were
    // computed with (figures version, periods). A file with another stamp
    // is emptied. False when it cannot be used: the index then keeps its
    // entries in memory only.
    bool open(const QString& path, const QString& stamp);
    void close() { m_file.close(); }
    bool isOpen() const { return m_file.isOpen(); }
    // Whether the file is still where it was opened (a user may delete it).
    bool stillThere() const;

    QList<RecordingEntry> load();
    // Each call one transaction; failures only cost the cache.
    void store(const QList<RecordingEntry>& entries);
    void drop(const QStringList& paths);

private:
    SqliteFile m_file;
    QString m_path;
};
