#include "platform/Connection.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QMutex>
#include <QSet>
#include <QSqlError>
#include <QSqlQuery>

#include <optional>

#include <sys/stat.h>

namespace {

QSet<Connection*>& liveConnections()
{
    static QSet<Connection*> set;
    return set;
}

// Read-only connections of a worker thread come and go beside the UI
// thread's.
QMutex& liveConnectionsLock()
{
    static QMutex lock;
    return lock;
}

bool g_exitRoutineAdded = false;
bool g_applicationGone = false;

// What a file looked like when it last passed its check. Opening the same
// unchanged file again (the open check, then the record cursor) needs no
// second look at every page.
struct FileStamp {
    dev_t device = 0;
    ino_t inode = 0;
    off_t size = 0;
    qint64 modifiedNs = 0;
    friend bool operator==(const FileStamp&, const FileStamp&) = default;
};

std::optional<FileStamp> stampOf(const QString& path)
{
    struct stat st {};
    if (::stat(QFile::encodeName(path).constData(), &st) != 0)
        return std::nullopt;
    return FileStamp{st.st_dev, st.st_ino, st.st_size,
                     qint64(st.st_mtim.tv_sec) * 1000000000 + st.st_mtim.tv_nsec};
}

QHash<QString, FileStamp>& checkedFiles()
{
    static QHash<QString, FileStamp> files;
    return files;
}

Connection::OpenError openErrorOf(SqliteFailure failure, const QString& path)
{
    switch (failure) {
    case SqliteFailure::Busy: return Connection::OpenError::InUse;
    case SqliteFailure::NotADatabase: return Connection::OpenError::NotADatabase;
    case SqliteFailure::Damaged: return Connection::OpenError::Damaged;
    case SqliteFailure::ReadOnly:
        // Only rolling back a crash's journal writes while opening.
        return QFileInfo::exists(path + QStringLiteral("-journal")) ? Connection::OpenError::CannotRecover
                                                                    : Connection::OpenError::Other;
    case SqliteFailure::None:
    case SqliteFailure::CannotOpen:
    case SqliteFailure::Other: break;
    }
    return Connection::OpenError::Other;
}

} // namespace

Connection::Connection(QObject* parent)
    : QObject(parent)
{
}

Connection::~Connection()
{
    if (!g_applicationGone)
        close();
}

bool Connection::fail(OpenError kind, const QString& why)
{
    m_openError = kind;
    m_lastError = why;
    close();
    return false;
}

QSqlDatabase Connection::database() const
{
    return m_file ? m_file->database() : QSqlDatabase();
}

bool Connection::refuseWhatIsNotAFile(const QString& path)
{
    close();
    m_lastError.clear();
    m_openError = OpenError::None;
    m_dataSource = path;
    if (path.isEmpty())
        return fail(OpenError::NoDataSource, QStringLiteral("no data file is named"));

    // SQLite would create a missing file, and would open a FIFO or a device.
    const QFileInfo info(path);
    if (!info.exists())
        return fail(info.isSymLink() ? OpenError::NotAFile : OpenError::Missing,
                    info.isSymLink() ? QStringLiteral("the link leads nowhere")
                                     : QStringLiteral("the file does not exist"));
    if (!info.isFile())
        return fail(OpenError::NotAFile, QStringLiteral("it is not a file"));
    return true;
}

bool Connection::openFile(const QString& path)
{
    if (!refuseWhatIsNotAFile(path))
        return false;

    if (!g_exitRoutineAdded && QCoreApplication::instance()) {
        qAddPostRoutine(&Connection::closeAllAtExit);
        g_exitRoutineAdded = true;
    }

    m_file = std::make_unique<SqliteFile>();
    if (!m_file->open(path, SqliteFile::Mode::ReadWrite)) {
        const SqliteError e = m_file->lastError();
        return fail(openErrorOf(e.failure, path), e.text);
    }
    {
        QMutexLocker lock(&liveConnectionsLock());
        liveConnections().insert(this);
    }
    if (!checkOnce(path))
        return false;
    if (!m_file->exec(QStringLiteral("PRAGMA journal_mode=DELETE"))
        || !m_file->exec(QStringLiteral("PRAGMA synchronous=FULL"))) {
        const SqliteError e = m_file->lastError();
        return fail(openErrorOf(e.failure, path), e.text);
    }
    return true;
}

bool Connection::openFileReadOnly(const QString& path, int busyTimeoutMs)
{
    if (!refuseWhatIsNotAFile(path))
        return false;
    // A journal is a writer's: mid-transaction at another workstation, or
    // a crash's leftover that the next writer rolls back. Either way the
    // file is not finished yet; come back later.
    for (const char* suffix : {"-journal", "-wal"})
        if (QFileInfo(path + QLatin1String(suffix)).size() > 0)
            return fail(OpenError::Unfinished, QStringLiteral("a journal lies beside it"));
    m_file = std::make_unique<SqliteFile>();
    if (!m_file->open(path, SqliteFile::Mode::ReadOnly, busyTimeoutMs)) {
        const SqliteError e = m_file->lastError();
        return fail(openErrorOf(e.failure, path), e.text);
    }
    if (quickCheck(path))
        return true;
    // A journal that came after the look above: a reader may not roll it back.
    if (m_openError == OpenError::CannotRecover)
        m_openError = OpenError::Unfinished;
    return false;
}

// Open checks nothing: a text file "opens". The first read also rolls back
// a journal a crash left. Look at the whole file once before anything is
// written to it, unless it passed the check unchanged since.
bool Connection::checkOnce(const QString& path)
{
    const QString key = QFileInfo(path).canonicalFilePath();
    const std::optional<FileStamp> before = stampOf(path);
    const QString journal = path + QStringLiteral("-journal");
    if (before && !QFileInfo::exists(journal) && checkedFiles().value(key) == *before)
        return true;

    if (!quickCheck(path))
        return false;
    if (const std::optional<FileStamp> after = stampOf(path))
        checkedFiles().insert(key, *after);
    return true;
}

bool Connection::quickCheck(const QString& path)
{
    QSqlQuery check(m_file->database());
    if (!check.exec(QStringLiteral("PRAGMA quick_check"))) {
        const SqliteError e = sqliteErrorOf(check.lastError());
        return fail(openErrorOf(e.failure, path), e.text);
    }
    QStringList problems;
    while (check.next())
        problems << check.value(0).toString();
    if (problems.isEmpty() || problems.constFirst() != QLatin1String("ok"))
        return fail(OpenError::Damaged, problems.join(QLatin1Char(' ')).left(300));
    return true;
}

bool Connection::isOpen() const
{
    return m_file && m_file->isOpen();
}

void Connection::close()
{
    if (!m_file)
        return;
    m_file.reset();
    QMutexLocker lock(&liveConnectionsLock());
    liveConnections().remove(this);
}

void Connection::closeAllAtExit()
{
    // Shared pointers to connections may outlive the application object;
    // the database layer must be let go while it still exists.
    QSet<Connection*> live;
    {
        QMutexLocker lock(&liveConnectionsLock());
        live = liveConnections();
    }
    for (Connection* c : live)
        c->close();
    g_applicationGone = true;
}
