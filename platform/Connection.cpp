#include "platform/Connection.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSet>
#include <QSqlError>
#include <QSqlQuery>
#include <QUrl>

namespace {

QSet<Connection*>& liveConnections()
{
    static QSet<Connection*> set;
    return set;
}

bool g_exitRoutineAdded = false;
bool g_applicationGone = false;
int g_connectionCounter = 0;

QString sqlErrorText(const QSqlError& e)
{
    return e.databaseText().isEmpty() ? e.text() : e.databaseText();
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

QString Connection::dataSourceOf(const QString& connectionText)
{
    static const QRegularExpression key(QStringLiteral("(^|;)\\s*Data Source\\s*="),
                                        QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch m = key.match(connectionText);
    if (!m.hasMatch())
        return {};
    QString rest = connectionText.mid(m.capturedEnd());
    // The path is inserted unchanged, so it may itself hold ";": only a
    // following key ends it.
    static const QRegularExpression next(QStringLiteral(";\\s*Data Provider\\s*="),
                                         QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch n = next.match(rest);
    if (n.hasMatch())
        rest.truncate(n.capturedStart());
    else if (rest.endsWith(QLatin1Char(';')))
        rest.chop(1);
    return rest.trimmed();
}

bool Connection::fail(OpenError kind, const QString& why)
{
    m_openError = kind;
    m_lastError = why;
    close();
    return false;
}

bool Connection::open(const QString& connectionText, const QString&, const QString&, int)
{
    close();
    m_lastError.clear();
    m_openError = OpenError::None;
    m_dataSource = dataSourceOf(connectionText);
    if (m_dataSource.isEmpty())
        return fail(OpenError::NoDataSource, QStringLiteral("the connection names no data file"));

    // SQLite would create a missing file; it must not.
    const QFileInfo info(m_dataSource);
    if (!info.exists())
        return fail(OpenError::Missing, QStringLiteral("the file does not exist"));
    if (!info.isFile())
        return fail(OpenError::NotAFile, QStringLiteral("it is not a file"));

    if (!g_exitRoutineAdded && QCoreApplication::instance()) {
        qAddPostRoutine(&Connection::closeAllAtExit);
        g_exitRoutineAdded = true;
    }

    m_name = QStringLiteral("korvane-connection-%1").arg(++g_connectionCounter);
    m_db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), m_name);
    liveConnections().insert(this);
    // mode=rw: open for reading and writing, never create.
    m_db.setDatabaseName(QUrl::fromLocalFile(info.absoluteFilePath()).toString(QUrl::FullyEncoded)
                         + QStringLiteral("?mode=rw"));
    m_db.setConnectOptions(QStringLiteral("QSQLITE_OPEN_URI;QSQLITE_BUSY_TIMEOUT=3000"));
    if (!m_db.open())
        return fail(OpenError::Other, sqlErrorText(m_db.lastError()));

    // Open checks nothing: a text file "opens". Look at the whole file once
    // before anything is written to it.
    {
        QSqlQuery check(m_db);
        if (!check.exec(QStringLiteral("PRAGMA quick_check"))) {
            const QString why = sqlErrorText(check.lastError());
            const bool notDb = why.contains(QLatin1String("not a database"), Qt::CaseInsensitive);
            return fail(notDb ? OpenError::NotADatabase : OpenError::Damaged, why);
        }
        QStringList problems;
        while (check.next())
            problems << check.value(0).toString();
        if (problems.isEmpty() || problems.constFirst() != QLatin1String("ok"))
            return fail(OpenError::Damaged, problems.join(QLatin1Char(' ')).left(300));
    }

    QSqlQuery pragma(m_db);
    if (!pragma.exec(QStringLiteral("PRAGMA journal_mode=DELETE"))
        || !pragma.exec(QStringLiteral("PRAGMA synchronous=FULL")))
        return fail(OpenError::Other, sqlErrorText(pragma.lastError()));
    return true;
}

bool Connection::isOpen() const
{
    return m_db.isValid() && m_db.isOpen();
}

void Connection::close()
{
    if (m_name.isEmpty())
        return;
    if (m_db.isValid())
        m_db.close();
    m_db = QSqlDatabase();
    QSqlDatabase::removeDatabase(m_name);
    m_name.clear();
    liveConnections().remove(this);
}

void Connection::closeAllAtExit()
{
    // Shared pointers to connections may outlive the application object;
    // the database layer must be let go while it still exists.
    const QSet<Connection*> live = liveConnections();
    for (Connection* c : live)
        c->close();
    g_applicationGone = true;
}
