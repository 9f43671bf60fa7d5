// Kills (SIGKILL) at random moments while readings are stored, while a
// data file is copied as File > Save does, and while the recording's
// details change: afterwards the file passes the database's integrity
// check, opens in the program, and holds every row committed before the
// kill, and the details of one write, old or new, never half of each; no
// temporary file outlives the next Save.
#include "data/DataTestSupport.h"
#include "data/AmbFileCheck.h"
#include "data/DataFileCopy.h"
#include "data/KillDetails.h"
#include "data/RecordingDetailsStore.h"
#include "platform/SqliteFile.h"

#include <QDir>
#include <QProcess>
#include <QRandomGenerator>
#include <QSqlQuery>
#include <QtTest>

#include <csignal>

namespace {

QString integrityOf(const QString& path)
{
    SqliteFile db;
    if (!db.open(path, SqliteFile::Mode::ReadWrite))
        return db.lastError().text;
    QSqlQuery q(db.database());
    if (!q.exec(QStringLiteral("PRAGMA integrity_check")) || !q.next())
        return QStringLiteral("no answer");
    return q.value(0).toString();
}

qint64 rowsOf(const QString& path)
{
    auto rs = openRecords(path);
    const qint64 n = rs->recordCount();
    resetAll();
    return n;
}

// Starts the victim, lets it work for a random while, kills it and returns
// the last line it printed.
QString killAtRandom(const QStringList& args, QRandomGenerator& random)
{
    QProcess victim;
    victim.setProgram(QStringLiteral(KILL_TARGET));
    victim.setArguments(args);
    victim.start();
    if (!victim.waitForStarted())
        return QStringLiteral("did not start");
    QTest::qWait(int(random.bounded(40, 400)));
    const qint64 pid = victim.processId();
    if (victim.state() != QProcess::Running || pid <= 0)
        return QStringLiteral("ended by itself (%1): ").arg(victim.exitCode())
            + QString::fromUtf8(victim.readAllStandardError() + victim.readAllStandardOutput());
    ::kill(pid_t(pid), SIGKILL);
    victim.waitForFinished();
    const QStringList lines = QString::fromUtf8(victim.readAllStandardOutput()).split('\n', Qt::SkipEmptyParts);
    return lines.isEmpty() ? QString() : lines.last();
}

} // namespace

class TestKillSafety : public QObject {
    Q_OBJECT
    QTemporaryDir m_dir;
    QRandomGenerator m_random{quint32(QDateTime::currentMSecsSinceEpoch())};

private slots:
    void initTestCase()
    {
        Edition::select(EditionId::English);
        qInfo("random seed %u", m_random.generate());
    }

    void killedWhileStoring()
    {
        const QString file = makeDataFile(m_dir.filePath(QStringLiteral("store.amb")), EditionId::English);
        qint64 committed = 0;
        for (int kill = 0; kill < 10; ++kill) {
            const QString last = killAtRandom({QStringLiteral("store"), file}, m_random);
            QVERIFY2(!last.startsWith(QLatin1String("ended")), qPrintable(last));
            if (last.startsWith(QLatin1String("stored ")))
                committed = last.mid(7).toLongLong();
            QCOMPARE(integrityOf(file), QStringLiteral("ok"));
            QVERIFY(AmbFileCheck::check(file).ok());
            const qint64 rows = rowsOf(file);
            // A whole run, or nothing of it, beyond what was reported.
            QVERIFY2(rows >= committed && rows % 100 == 0,
                     qPrintable(QStringLiteral("%1 rows, %2 committed").arg(rows).arg(committed)));
            committed = rows;
        }
        QVERIFY(committed > 0);
    }

    void killedWhileChangingDetails()
    {
        const QString file = makeDataFile(m_dir.filePath(QStringLiteral("details.amb")), EditionId::English);
        insertRows(file, EditionId::English, std::vector<BpRow>(50, BpRow{120, 80, 93, 70}));
        int committed = 0;
        for (int kill = 0; kill < 10; ++kill) {
            const QString last = killAtRandom({QStringLiteral("details"), file}, m_random);
            QVERIFY2(!last.startsWith(QLatin1String("ended")), qPrintable(last));
            if (last.startsWith(QLatin1String("details ")))
                committed = last.mid(8).toInt();
            QCOMPARE(integrityOf(file), QStringLiteral("ok"));
            QCOMPARE(rowsOf(file), qint64(50));
            Connection connection;
            QVERIFY(connection.openFile(file));
            QString why;
            const std::optional<RecordingDetails> details = RecordingDetailsStore::read(connection, &why);
            QVERIFY2(details, qPrintable(why));
            const int generation = generationOf(*details);
            // The last reported write, or the one after it that was committed
            // before its report was printed.
            QVERIFY2(generation == committed || generation == committed + 1,
                     qPrintable(QStringLiteral("generation %1, %2 reported").arg(generation).arg(committed)));
            committed = generation;
        }
        QVERIFY(committed > 0);
    }

    void killedWhileSaving()
    {
        const QString source = makeDataFile(m_dir.filePath(QStringLiteral("source.amb")), EditionId::English);
        insertRows(source, EditionId::English, std::vector<BpRow>(3000, BpRow{120, 80, 93, 70}));
        const QString target = m_dir.filePath(QStringLiteral("copy.amb"));
        for (int kill = 0; kill < 10; ++kill) {
            const QString last = killAtRandom({QStringLiteral("save"), source, target}, m_random);
            QVERIFY2(!last.startsWith(QLatin1String("ended")), qPrintable(last));
            if (QFileInfo::exists(target)) {
                QCOMPARE(integrityOf(target), QStringLiteral("ok"));
                QCOMPARE(rowsOf(target), qint64(3000));
            }
        }
        QString why;
        QVERIFY2(DataFileCopy::copyDatabase(source, target, &why), qPrintable(why));
        QCOMPARE(rowsOf(target), qint64(3000));
        QCOMPARE(QDir(m_dir.path()).entryList({QStringLiteral("*part*")}, QDir::Files), QStringList());
    }
};

QTEST_GUILESS_MAIN(TestKillSafety)
#include "test_killsafety.moc"
