#pragma once
// Helpers for the data window tests: a data file of either edition with
// rows, made ready as the file commands would, the window opened on it, and
// a look at the file through a connection of its own.
#include "data/DataTestSupport.h"
#include "support/ScriptedSeams.h"

#include <QCoreApplication>
#include <QEvent>
#include <QObject>
#include <QSqlQuery>
#include <QSqlRecord>

inline std::vector<BpRow> sampleRows(int count)
{
    std::vector<BpRow> rows;
    for (int i = 0; i < count; ++i) {
        BpRow r;
        r.sys = 120 + i;
        r.dia = 80 + i;
        r.map = (120.0 + i + 2.0 * (80 + i)) / 3.0;
        r.pulse = 70 + i;
        r.date = QDate(2024, 3, 7);
        r.time = QTime(9, 5).addSecs(i * 900);
        rows.push_back(r);
    }
    return rows;
}

inline void makeReady(const QString& path)
{
    gDataFile = path;
    gFileReady = true;
    MainStatusPanels::instance().setFile(path);
}

// Runs one query on the file through its own connection; the rows as lists of values.
inline QList<QVariantList> fileRows(const QString& path, const QString& sql)
{
    QList<QVariantList> rows;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("test-look"));
        db.setDatabaseName(path);
        if (!db.open())
            return rows;
        QSqlQuery q(db);
        if (q.exec(sql)) {
            while (q.next()) {
                QVariantList row;
                for (int i = 0; i < q.record().count(); ++i)
                    row << q.value(i);
                rows << row;
            }
        }
        q.finish();
        db.close();
    }
    QSqlDatabase::removeDatabase(QStringLiteral("test-look"));
    return rows;
}

inline qint64 fileCount(const QString& path)
{
    const auto rows = fileRows(path, QStringLiteral("select count(*) from ambpdata"));
    return rows.isEmpty() ? -1 : rows.first().value(0).toLongLong();
}

// Lets windows closed with deleteLater go.
inline void flushDeletes()
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCoreApplication::processEvents();
}

// Opens a data window on the file as the file commands would; null when it did not load.
template <class Window>
Window* openDataWindow(const QString& path, Window* (*show)())
{
    makeReady(path);
    Window* window = show();
    if (window)
        QCoreApplication::processEvents();
    return window;
}

// What the data window tests share: a private folder of data files, and
// every test starting from a clean state in the English edition with
// editing allowed.
class DataWindowTest : public QObject {
protected:
    // stem: what the names of the numbered data files begin with.
    explicit DataWindowTest(const char* stem)
        : m_stem(QLatin1String(stem))
    {
    }

    // A new data file holding the given number of sample rows.
    QString fileWith(int records, EditionId edition = EditionId::English)
    {
        const QString name = m_stem + QString::number(++m_files) + QLatin1String(".amb");
        const QString path = makeDataFile(m_dir.filePath(name), edition);
        insertRows(path, edition, sampleRows(records));
        return path;
    }

    static void startTest()
    {
        Edition::select(EditionId::English);
        resetAll();
        gEditEnabled = true;
    }

    // closeWindow: closes the window under test.
    static void endTest(void (*closeWindow)())
    {
        ScriptedSeams quiet; // a failed test may leave a window that still has something to say
        closeWindow();
        flushDeletes();
        resetAll();
    }

    QTemporaryDir m_dir;

private:
    QString m_stem;
    int m_files = 0;
};
