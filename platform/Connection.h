#pragma once
// A connection to one data file, opened at exactly the path given.
//
// Opening never creates a file and never changes one that is not a sound
// database: a missing path, or one that is not a regular file (a folder, a
// FIFO, a dangling link, a device), is refused before SQLite sees it, and
// the file is checked (quick check) before anything is written. A rollback
// journal that a crash left beside the file is rolled back by the opening
// itself, which gives the file its last committed state. Every write of the
// program is its own transaction; the file keeps a rollback journal with
// full synchronisation, so a copy of the file between transactions is a
// valid data file and a crash never leaves half a row.
//
// openFileReadOnly is for looking at files that are not the current one
// (a folder of recordings): the file is opened for reading only, on any
// thread, and never changed; a journal beside it (a writer at work, or a
// crash's leftover that only a writer may roll back) is reported as
// Unfinished instead of being touched.
#include "platform/SqliteFile.h"

#include <QObject>
#include <QSqlDatabase>
#include <QString>

#include <memory>

class Connection : public QObject {
    Q_OBJECT
public:
    enum CursorLocation { UseServer = 2, UseClient = 3 };
    // Why the last open failed.
    enum class OpenError {
        None,
        NoDataSource,
        Missing,
        NotAFile,
        NotADatabase,
        Damaged,
        InUse,         // another program (or window) holds a lock on it
        CannotRecover, // a crash left a journal, and the file cannot be written to roll it back
        Unfinished,    // a journal lies beside it: being written, or a crash's leftover (read-only opening)
        Other,
    };

    explicit Connection(QObject* parent = nullptr);
    ~Connection() override;

    // Kept for the record: rows are always held on the client side.
    void setCursorLocation(int location) { m_cursorLocation = location; }
    int cursorLocation() const { return m_cursorLocation; }

    // Opens the data file at path. False with lastError() and
    // lastOpenError() set when it is missing, not a file, not a database,
    // damaged, in use or cannot be recovered.
    bool openFile(const QString& path);
    // Opens it for reading only: never rolls back, never writes, leaves
    // nothing beside it; checked (quick check) every time. Safe on a
    // worker thread (the connection belongs to the thread that opened it).
    bool openFileReadOnly(const QString& path, int busyTimeoutMs = SqliteFile::kBusyTimeoutMs);
    void close();
    bool isOpen() const;

    // The path this connection opened.
    QString dataSource() const { return m_dataSource; }
    QString lastError() const { return m_lastError; }
    OpenError lastOpenError() const { return m_openError; }

    // The database handle for record sets and queries on this connection.
    QSqlDatabase database() const;

private:
    bool fail(OpenError kind, const QString& why);
    bool refuseWhatIsNotAFile(const QString& path);
    bool checkOnce(const QString& path);
    bool quickCheck(const QString& path);
    static void closeAllAtExit();

    std::unique_ptr<SqliteFile> m_file;
    QString m_dataSource;
    QString m_lastError;
    OpenError m_openError = OpenError::None;
    int m_cursorLocation = UseServer;
};
