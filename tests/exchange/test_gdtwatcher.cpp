// The request watcher through a practice's real day, on real files: a FIFO
// or a link to a device named like a request (refused, never blocking:
// a watchdog fails the test on a hang), a request cut in the middle or
// written slowly over seconds (waits, then is taken whole; one that stays
// cut is refused and moved aside once the wait limit has passed), a
// request that cannot be deleted or set aside (handed on or reported once,
// again only when it changes, also across a pause and a repeated watch
// with the same settings), a failed/ that is a link (never followed),
// two records in one file (the first taken, the file kept).
#include "GdtFiles.h"
#include "WatcherReports.h"
#include "Watchdog.h"

#include "exchange/GdtRequestWatcher.h"
#include "support/Unprivileged.h"
#include "text/Edition.h"

#include <QTemporaryDir>
#include <QtTest>

#include <sys/stat.h>

using namespace gdttest;
using namespace std::chrono_literals;

namespace {

// A watcher on a clock the test moves.
struct Watch {
    Catch got;
    GdtRequestWatcher watcher{got.hooks()};
    QDateTime now{QDate(2026, 12, 9), QTime(8, 0), Qt::UTC};

    explicit Watch(const QString& folder, int waitLimit = GdtRequestWatcher::kDefaultWaitLimitSeconds)
    {
        watcher.setClock([this] { return now; });
        watcher.setWaitLimit(waitLimit);
        watcher.watch(folder, "KORV", "PRAX");
    }
    void scans(int count, int secondsApart = 1)
    {
        for (int i = 0; i < count; ++i) {
            now = now.addSecs(secondsApart);
            watcher.scan();
        }
    }
};

} // namespace

class TestGdtWatcher : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { Edition::select(EditionId::English); }

    void fifoAndDeviceLinkAreRefusedWithoutHanging()
    {
        QTemporaryDir dir, elsewhere;
        QCOMPARE(::mkfifo(QFile::encodeName(dir.filePath("KORVPRAX.GDT")).constData(), 0644), 0);
        QVERIFY(QFile::link("/dev/zero", dir.filePath("KORVPRAX.000")));
        // A link to a regular file is a request like any other.
        writeFile(elsewhere.filePath("request"), gdtFile(request6302("Nigro")));
        QVERIFY(QFile::link(elsewhere.filePath("request"), dir.filePath("KORVPRAX.001")));

        const Watchdog watchdog("scanning a FIFO and a link to /dev/zero", 20s);
        Watch w(dir.path());
        w.scans(5);
        QCOMPARE(w.got.refused, (QStringList{"KORVPRAX.GDT:0", "KORVPRAX.000:0"}));
        for (const QString& reason : w.got.reasons)
            QVERIFY2(reason.contains("no ordinary file"), qPrintable(reason));
        QCOMPARE(w.got.moved[0], dir.filePath("failed/KORVPRAX.GDT"));
        QVERIFY(QFileInfo(w.got.moved[1]).isSymLink()); // the link moved, not what it leads to
        QCOMPARE(w.got.taken.size(), 1);
        QCOMPARE(w.got.taken[0].patient.surname, QStringLiteral("Nigro"));
        QVERIFY(GdtFolder::requestFiles(dir.path(), "KORV", "PRAX").isEmpty());
        QVERIFY(QFileInfo::exists(elsewhere.filePath("request"))); // only the link was taken away
    }

    // A file that cannot be moved either: reported once, never opened.
    void fifoThatStaysIsReportedOnce()
    {
        KORVANE_UNPRIVILEGED_WHEN_ROOT();
        QTemporaryDir dir;
        QCOMPARE(::mkfifo(QFile::encodeName(dir.filePath("KORVPRAX.GDT")).constData(), 0644), 0);
        QVERIFY(QFile::setPermissions(dir.path(), QFileDevice::ReadOwner | QFileDevice::ExeOwner));
        const Watchdog watchdog("scanning a FIFO", 20s);
        Watch w(dir.path());
        w.scans(10);
        QFile::setPermissions(dir.path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
        QCOMPARE(w.got.refused, QStringList{"KORVPRAX.GDT:0"});
        QVERIFY2(w.got.notMoved[0].contains("no permission"), qPrintable(w.got.notMoved[0]));
    }

    void cutRequestWaitsThenIsRefused_data()
    {
        QTest::addColumn<QByteArray>("cutAfter");
        QTest::newRow("in the surname") << QByteArray("0143101Nig");
        QTest::newRow("at a line's end") << QByteArray("0143101Nigro\r\n");
        QTest::newRow("in the line break") << QByteArray("0143101Nigro\r");
        QTest::newRow("in the 8100 line") << QByteArray("0148100");
    }
    void cutRequestWaitsThenIsRefused()
    {
        QFETCH(QByteArray, cutAfter);
        QTemporaryDir dir;
        const QByteArray whole = gdtFile(request6302("Nigro"));
        const QByteArray cut = whole.first(whole.indexOf(cutAfter) + cutAfter.size());
        writeFile(dir.filePath("KORVPRAX.GDT"), cut);
        Watch w(dir.path(), 120);
        // A practice system on a network share may pause for a minute and more.
        w.scans(110);
        QVERIFY(w.got.taken.isEmpty());
        QVERIFY(w.got.refused.isEmpty());
        w.scans(15);
        QVERIFY(w.got.taken.isEmpty());
        QCOMPARE(w.got.refused, QStringList{"KORVPRAX.GDT:0"});
        const QString expected = QStringLiteral("The file stayed incomplete for 120 seconds: its record length (8100) says "
                                                "%1 bytes, it has %2")
                                     .arg(cutAfter.startsWith("0148100") ? QStringLiteral("nothing readable")
                                                                         : QString::number(whole.size()))
                                     .arg(cut.size());
        QCOMPARE(w.got.reasons[0], expected);
        QCOMPARE(w.got.moved[0], dir.filePath("failed/KORVPRAX.GDT"));
        QCOMPARE(contentOf(w.got.moved[0]), cut);
        QCOMPARE(QString::fromUtf8(contentOf(w.got.moved[0] + ".txt")), expected + u'\n');
        w.scans(20);
        QCOMPARE(w.got.refused.size(), 1);
    }

    // Written in place in six pieces two seconds apart, each cut anywhere
    // (mostly inside a line), scanned every second: taken once, whole.
    void requestGrowingOverTenSecondsIsTakenWhole()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath("KORVPRAX.GDT");
        const QByteArray whole = gdtFile(request6302("M\x81ller-L\x81" "denscheidt"));
        Watch w(dir.path(), 5);
        const qsizetype piece = whole.size() / 6 + 1;
        for (qsizetype at = 0; at < whole.size(); at += piece) {
            writeFile(path, whole.sliced(at, std::min(piece, whole.size() - at)), QIODevice::Append);
            w.scans(2);
            if (at + piece < whole.size()) {
                QVERIFY2(w.got.taken.isEmpty(), qPrintable(QString::number(at)));
                QVERIFY(w.got.refused.isEmpty());
            }
        }
        QCOMPARE(w.got.taken.size(), 1);
        QCOMPARE(w.got.taken[0].patient.surname, QString::fromUtf8("Müller-Lüdenscheidt"));
        QCOMPARE(w.got.taken[0].patient.birthDate, QDate(1956, 4, 3));
        QVERIFY(!QFileInfo::exists(path));
    }

    // A request the practice system's account keeps: handed on once, and
    // again only when a new one is written over it.
    void undeletableRequestIsHandedOnOnce()
    {
        KORVANE_UNPRIVILEGED_WHEN_ROOT();
        QTemporaryDir dir;
        const QString path = dir.filePath("KORVPRAX.GDT");
        writeFile(path, gdtFile(request6302("Nigro")));
        QVERIFY(QFile::setPermissions(dir.path(), QFileDevice::ReadOwner | QFileDevice::ExeOwner));
        Watch w(dir.path());
        w.scans(20);
        QCOMPARE(w.got.taken.size(), 1);
        writeFile(path, gdtFile(request6302("Bohm")));
        w.scans(20);
        QFile::setPermissions(dir.path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
        QCOMPARE(w.got.taken.size(), 2);
        QCOMPARE(w.got.taken[1].patient.surname, QStringLiteral("Bohm"));
        QVERIFY(w.got.refused.isEmpty());
    }

    // Paused (as while New runs) and watched again with the same folder and
    // IDs, the watcher still knows the request it could not delete: handed
    // on once. Other settings are a fresh start.
    void pauseAndSameSettingsKeepWhatWasHandedOn()
    {
        KORVANE_UNPRIVILEGED_WHEN_ROOT();
        QTemporaryDir dir;
        writeFile(dir.filePath("KORVPRAX.GDT"), gdtFile(request6302("Nigro")));
        QVERIFY(QFile::setPermissions(dir.path(), QFileDevice::ReadOwner | QFileDevice::ExeOwner));
        Watch w(dir.path());
        w.scans(3);
        QCOMPARE(w.got.taken.size(), 1);
        for (int i = 0; i < 3; ++i) {
            w.watcher.setPaused(true);
            w.scans(3);
            w.watcher.setPaused(false);
            w.watcher.watch(dir.path(), "KORV", "PRAX");
            w.scans(3);
        }
        const qsizetype takenBefore = w.got.taken.size();
        w.watcher.watch(QString(), QString(), QString());
        w.watcher.watch(dir.path(), "KORV", "PRAX");
        w.scans(2);
        QFile::setPermissions(dir.path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
        QCOMPARE(takenBefore, 1);
        QCOMPARE(w.got.taken.size(), 2);
    }

    // A request written during a pause waits for it to end, and then for a
    // scan that finds it unchanged: resuming looks once, not twice.
    void requestDuringPauseWaitsForTheScanAfter()
    {
        QTemporaryDir dir;
        Watch w(dir.path());
        w.watcher.setPaused(true);
        writeFile(dir.filePath("KORVPRAX.GDT"), gdtFile(request6302("Nigro")));
        w.scans(5);
        QVERIFY(w.got.taken.isEmpty());
        w.watcher.watch(dir.path(), "KORV", "PRAX"); // the same settings while paused: still paused
        w.scans(2);
        QVERIFY(w.got.taken.isEmpty());
        w.watcher.setPaused(false);
        QVERIFY(w.got.taken.isEmpty());
        w.scans(1);
        QCOMPARE(w.got.taken.size(), 1);
        QVERIFY(!QFileInfo::exists(dir.filePath("KORVPRAX.GDT")));
    }

    // A bad request where failed/ cannot be made: one report, not one
    // modal message every few seconds; a changed file is looked at again.
    void badRequestWithoutFailedIsReportedOnce()
    {
        KORVANE_UNPRIVILEGED_WHEN_ROOT();
        QTemporaryDir dir;
        const QString path = dir.filePath("KORVPRAX.GDT");
        writeFile(path, gdtFile({{8000, "6310"}, {3000, "4711"}}));
        QVERIFY(QFile::setPermissions(dir.path(), QFileDevice::ReadOwner | QFileDevice::ExeOwner));
        Watch w(dir.path());
        w.scans(20, 6);
        QCOMPARE(w.got.refused, QStringList{"KORVPRAX.GDT:1"});
        QVERIFY(w.got.moved[0].isEmpty());
        QCOMPARE(w.got.notMoved[0], dir.filePath("failed") + ": no permission (access denied)");
        writeFile(path, gdtFile({{8000, "6300"}, {3000, "4711"}}));
        w.scans(20, 6);
        QFile::setPermissions(dir.path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
        QCOMPARE(w.got.refused, (QStringList{"KORVPRAX.GDT:1", "KORVPRAX.GDT:1"}));
        QVERIFY(w.got.reasons[1].contains("6300"));
    }

    void failedThatIsALinkIsNotFollowed()
    {
        QTemporaryDir dir, elsewhere;
        QVERIFY(QFile::link(elsewhere.path(), dir.filePath("failed")));
        const QByteArray bad = gdtFile({{8000, "6310"}, {3000, "4711"}});
        writeFile(dir.filePath("KORVPRAX.GDT"), bad);
        Watch w(dir.path());
        w.scans(10);
        QCOMPARE(w.got.refused, QStringList{"KORVPRAX.GDT:1"});
        QVERIFY(w.got.moved[0].isEmpty());
        QCOMPARE(w.got.notMoved[0],
                 dir.filePath("failed") + ": not a folder of its own (a link or a file); nothing is moved there");
        QVERIFY(QDir(elsewhere.path()).isEmpty(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot));
        QCOMPARE(contentOf(dir.filePath("KORVPRAX.GDT")), bad);
    }

    // Two records: the first patient is taken, nothing of the second is
    // mixed in, and the file is kept in failed/ with a note.
    void twoRecordsTakeTheFirstAndKeepTheFile()
    {
        QTemporaryDir dir;
        Fields second = request6302("Bohm");
        second[5].second = "4712";
        Fields first = request6302("Nigro");
        first.erase(first.begin() + 7); // no first name: the second's must not fill it
        const QByteArray both = gdtFile(first) + gdtFile(second);
        writeFile(dir.filePath("KORVPRAX.GDT"), both);
        Watch w(dir.path());
        w.scans(3);
        QCOMPARE(w.got.taken.size(), 1);
        QCOMPARE(w.got.taken[0].patient.surname, QStringLiteral("Nigro"));
        QCOMPARE(w.got.taken[0].patient.number, QStringLiteral("4711"));
        QVERIFY(w.got.taken[0].patient.firstName.isEmpty());
        QCOMPARE(w.got.restLeft, QStringList{"KORVPRAX.GDT:11"});
        QCOMPARE(w.got.moved[0], dir.filePath("failed/KORVPRAX.GDT"));
        QCOMPARE(contentOf(w.got.moved[0]), both);
        QVERIFY(contentOf(w.got.moved[0] + ".txt").contains("from line 11 on"));
        QVERIFY(w.got.refused.isEmpty());
    }

    // A record whose second part is still being written waits.
    void secondRecordStillBeingWrittenWaits()
    {
        QTemporaryDir dir;
        const QByteArray first = gdtFile(request6302("Nigro"));
        const QByteArray second = gdtFile(request6302("Bohm"));
        writeFile(dir.filePath("KORVPRAX.GDT"), first + second.first(40));
        Watch w(dir.path());
        w.scans(10);
        QVERIFY(w.got.taken.isEmpty());
        writeFile(dir.filePath("KORVPRAX.GDT"), second.sliced(40), QIODevice::Append);
        w.scans(2);
        QCOMPARE(w.got.taken.size(), 1);
        QCOMPARE(w.got.restLeft.size(), 1);
    }
};

QTEST_GUILESS_MAIN(TestGdtWatcher)
#include "test_gdtwatcher.moc"
