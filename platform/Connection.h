#pragma once
// A connection to one data file. It takes the connection texts the program
// has always used ("PROVIDER=...;Data Source=<path>;...") as they stand and
// opens the file named by their data source on SQLite.
//
// Opening never creates a file and never changes one that is not a sound
// database: a missing path is refused before SQLite sees it, and the file is
// checked (quick check) before anything is written. Every write of the
// program is its own transaction; the file keeps a rollback journal with full
// synchronisation, so a copy of the file between transactions is a valid
// data file and a crash never leaves half a row.
#include <QObject>
#include <QSqlDatabase>
#include <QString>

class Connection : public QObject {
    Q_OBJECT
public:
    enum CursorLocation { UseServer = 2, UseClient = 3 };
    // Why the last open failed.
    enum class OpenError { None, NoDataSource, Missing, NotAFile, NotADatabase, Damaged, Other };

    explicit Connection(QObject* parent = nullptr);
    ~Connection() override;

    // Kept for the record: rows are always held on the client side.
    void setCursorLocation(int location) { m_cursorLocation = location; }
    int cursorLocation() const { return m_cursorLocation; }

    // Opens the data source of the connection text. User name, password and
    // options are accepted and have no effect. False with lastError() set
    // when the file is missing, not a database or damaged.
    bool open(const QString& connectionText, const QString& user = QString(),
              const QString& password = QString(), int options = -1);
    void close();
    bool isOpen() const;

    // Path named by the connection text's "Data Source=".
    QString dataSource() const { return m_dataSource; }
    QString lastError() const { return m_lastError; }
    OpenError lastOpenError() const { return m_openError; }

    // The database handle for record sets and queries on this connection.
    QSqlDatabase database() const { return m_db; }

    // Data source of a connection text: the text after "Data Source=" up to
    // the next ";Data Provider=" or the closing ";". Empty when none.
    static QString dataSourceOf(const QString& connectionText);

private:
    bool fail(OpenError kind, const QString& why);
    static void closeAllAtExit();

    QSqlDatabase m_db;
    QString m_name;
    QString m_dataSource;
    QString m_lastError;
    OpenError m_openError = OpenError::None;
    int m_cursorLocation = UseServer;
};
