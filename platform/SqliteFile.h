#pragma once
// The one owner of a connection of Qt's SQLite driver to one file: opens it
// under a name of its own and removes that name when it closes or goes, so
// no other code adds or removes database connections by hand.
//
// Opening never creates a file unless asked to (Create), and takes the path
// exactly as given (no trimming, no connection text). Failures are sorted by
// SQLite's own result code, so that a busy file is never taken for a damaged
// one.
#include <QSqlDatabase>
#include <QString>

class QSqlError;

enum class SqliteFailure {
    None,
    Busy,         // another connection holds a lock past the busy time-out
    ReadOnly,     // a write (or a crash's journal roll-back) needs write access
    NotADatabase, // the file is some other kind of file
    Damaged,      // the database fails its check
    CannotOpen,   // the file system refused it (permissions, a folder, ...)
    Other,
};

struct SqliteError {
    SqliteFailure failure = SqliteFailure::None;
    QString text; // SQLite's own words
};

// The kind of failure and SQLite's words for a failed statement or open.
SqliteError sqliteErrorOf(const QSqlError& error);

class SqliteFile {
public:
    enum class Mode { ReadWrite, ReadOnly, Create };
    static constexpr int kBusyTimeoutMs = 3000;

    SqliteFile() = default;
    ~SqliteFile();
    SqliteFile(const SqliteFile&) = delete;
    SqliteFile& operator=(const SqliteFile&) = delete;

    // ReadWrite opens an existing file for reading and writing (a file the
    // user may not write opens for reading only); ReadOnly reads only;
    // Create makes the file when it is missing.
    bool open(const QString& path, Mode mode, int busyTimeoutMs = kBusyTimeoutMs);
    void close();
    bool isOpen() const { return m_db.isValid() && m_db.isOpen(); }

    // Runs one statement; false with lastError() set.
    bool exec(const QString& statement);

    QSqlDatabase database() const { return m_db; }
    const SqliteError& lastError() const { return m_error; }

private:
    QSqlDatabase m_db;
    QString m_name;
    SqliteError m_error;
};
