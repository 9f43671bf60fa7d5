#include "platform/SqliteFile.h"

#include <QFileInfo>
#include <QSqlError>
#include <QSqlQuery>
#include <QUrl>

#include <atomic>

SqliteError sqliteErrorOf(const QSqlError& error)
{
    SqliteError e;
    e.text = error.databaseText().isEmpty() ? error.text() : error.databaseText();
    bool ok = false;
    const int code = error.nativeErrorCode().toInt(&ok) & 0xff; // the primary result code
    if (!ok) {
        e.failure = SqliteFailure::Other;
        return e;
    }
    switch (code) {
    case 5:  // SQLITE_BUSY
    case 6:  // SQLITE_LOCKED
        e.failure = SqliteFailure::Busy;
        break;
    case 8:  // SQLITE_READONLY
        e.failure = SqliteFailure::ReadOnly;
        break;
    case 26: // SQLITE_NOTADB
        e.failure = SqliteFailure::NotADatabase;
        break;
    case 11: // SQLITE_CORRUPT
        e.failure = SqliteFailure::Damaged;
        break;
    case 14: // SQLITE_CANTOPEN
        e.failure = SqliteFailure::CannotOpen;
        break;
    default:
        e.failure = SqliteFailure::Other;
    }
    return e;
}

SqliteFile::~SqliteFile()
{
    close();
}

bool SqliteFile::open(const QString& path, Mode mode, int busyTimeoutMs)
{
    close();
    m_error = {};
    // Files are opened on the UI thread and on the recordings index's
    // worker at once: every name must still be unique.
    static std::atomic<int> counter = 0;
    m_name = QStringLiteral("korvane-sqlite-%1").arg(++counter);
    m_db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), m_name);
    const char* modes[] = {"rw", "ro", "rwc"};
    // A URI names the file exactly, whatever characters its path holds.
    m_db.setDatabaseName(QUrl::fromLocalFile(QFileInfo(path).absoluteFilePath()).toString(QUrl::FullyEncoded)
                         + QStringLiteral("?mode=") + QLatin1String(modes[int(mode)]));
    m_db.setConnectOptions(QStringLiteral("QSQLITE_OPEN_URI;QSQLITE_BUSY_TIMEOUT=%1").arg(busyTimeoutMs));
    if (m_db.open())
        return true;
    m_error = sqliteErrorOf(m_db.lastError());
    close();
    return false;
}

void SqliteFile::close()
{
    if (m_name.isEmpty())
        return;
    if (m_db.isValid())
        m_db.close();
    m_db = QSqlDatabase();
    QSqlDatabase::removeDatabase(m_name);
    m_name.clear();
}

bool SqliteFile::exec(const QString& statement)
{
    QSqlQuery q(m_db);
    if (q.exec(statement))
        return true;
    m_error = sqliteErrorOf(q.lastError());
    return false;
}
