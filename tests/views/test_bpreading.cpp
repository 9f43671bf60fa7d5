// The blood-pressure reading window end to end: the real serial layer on a
// pseudo-terminal standing in for the recorder's line, the window's run,
// time-out and failure paths, and the rows that reach the data file.
// Runs in both editions.
#include "ReadingTestSupport.h"
#include "state/MainStatusPanels.h"
#include "views/CommWindows.h"
#include "views/ProgressScale.h"
#include "views/frmRead.h"
#include "data/FileCommands.h"
#include "platform/Connection.h"
#include "platform/Recordset.h"
#include "platform/SteadyClock.h"
#include "comm/BlockCollector.h"
#include "support/ScriptedSeams.h"

#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QProcess>
#include <QProgressBar>
#include <QPushButton>
#include <QSerialPort>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <cerrno>
#include <cstring>
#include <memory>
#include <unistd.h>

using namespace readtest;

namespace {

// A silence after a 96-byte burst written at once: the line needs 100 ms
// for it at 9600 baud, then 20 ms of quiet end the burst.
constexpr int kBurstPauseMs = 100 + BlockCollector::kShortestSilenceMs + 30;

QString ed(const char* english, const char* german)
{
    return QString::fromUtf8(Edition::current().isGerman() ? german : english);
}

QString commFailure()
{
    return QStringLiteral(" Connecting Install or Communication Setting Incorrect !");
}

} // namespace

class TestBpReading : public QObject {
    Q_OBJECT
private slots:
    void init()
    {
        QVERIFY(m_dir.isValid());
        resetSharedState();
        MainStatusPanels::instance().clear();
        m_seams = std::make_unique<ScriptedSeams>();
        m_seams->clock = QDateTime(QDate(2025, 6, 1), QTime(10, 0));
        m_pty = std::make_unique<PtyEndpoint>();
        QVERIFY(m_pty->open());
        pointPortAt(1, m_pty->devicePath());
        gCommSet = QStringLiteral("9600,n,8,1");
        gCommPort = QStringLiteral("COM1");
        m_file = makeDataFile(m_dir.path(), QStringLiteral("file%1.amb").arg(++m_fileNumber));
        openDataFile(m_file);
        m_listShown = 0;
        CommWindows::setShowListWindow([this] { ++m_listShown; });
    }

    void cleanup()
    {
        if (frmRead* w = CommWindows::readWindow()) {
            m_seams->answers.push_back(MsgAnswer::No);
            w->close();
        }
        QTRY_VERIFY(!CommWindows::readWindow());
        CommWindows::setShowListWindow({});
        m_pty.reset();
        gRecordset.reset();
        gConnection.reset();
        m_seams.reset();
    }

    void threeBurstsGiveThreeRecordsThenReadOkAndTheSavedRows()
    {
        frmRead* w = openWindow();
        QCOMPARE(w->windowTitle(), ed("Read data", "Daten lesen"));
        QCOMPARE(w->statusPanel(1), ed("Ready", "Wenn bereit"));
        QCOMPARE(w->statusPanel(2), ed("Press Send Key to Start Reading",
                                       "auf Senden drücken, um Lesevorgang zu starten"));
        QCOMPARE(w->Text2->text(), QStringLiteral("SYS.: "));
        QCOMPARE(w->Text6->text(), ed("Date: ", "Datum: "));

        const QList<BpReading> sent = {reading(121, 80, 72, 3, 7, 14, 5), reading(130, 85, 75, 3, 7, 14, 20),
                                       reading(118, 76, 68, 3, 7, 9, 5)};
        QElapsedTimer clock;
        clock.start();
        qint64 lastSent = 0;
        for (int i = 0; i < sent.size(); ++i) {
            QVERIFY(waitUntil([&] { return clock.elapsed() >= 300 * i; }));
            QCOMPARE(m_pty->write(burst(sent[i])), 96);
            lastSent = clock.elapsed();
            QVERIFY(waitUntil([&] { return w->count() == i + 1; }));
            // The time-out is restarted by every block.
            QCOMPARE(w->statusPanel(1), ed("Ready", "Wenn bereit"));
        }
        QCOMPARE(w->Text1->text(), QStringLiteral("3"));
        QCOMPARE(w->ProgressBar1->value(), 3);
        QCOMPARE(w->Text2->text(), QStringLiteral("118"));
        QCOMPARE(w->Text3->text(), QStringLiteral("76"));
        QCOMPARE(w->Text4->text(), QStringLiteral("68"));
        QCOMPARE(w->Text5->text(), QStringLiteral("9:5"));
        QCOMPARE(w->Text6->text(), QStringLiteral("3/7"));

        QVERIFY(waitUntil([&] { return w->statusPanel(1) == ed("Read OK", "lesen OK"); }, 3000));
        const qint64 quiet = clock.elapsed() - lastSent;
        QVERIFY2(quiet >= 450 && quiet < 1000, qPrintable(QString::number(quiet)));
        QCOMPARE(w->statusPanel(2), ed("[Close] to Save Data , [Retry] to Reset",
                                       "[Schließen]: Daten speichern , [Erneuter Versuch] to Reset"));
        QVERIFY(!w->link().isPortOpen());
        QVERIFY(waitUntil([&] { return !m_pty->peerIsOpen(); }));
        // The finished run stays quiet: nothing arrives on a closed port.
        m_pty->write(burst(sent[0]));
        QTest::qWait(50);
        QCOMPARE(w->count(), 3);

        m_seams->answers.push_back(MsgAnswer::Yes);
        w->cmdClose->click();
        QCOMPARE(int(m_seams->messages.size()), 1);
        const ShownMessage& question = m_seams->messages[0];
        QCOMPARE(question.text, ed("Save Data to File ", "Daten Speichern ") + m_file + QStringLiteral(" ? "));
        QCOMPARE(question.title, ed("Read data", "Daten lesen"));
        QCOMPARE(question.buttons, MsgButtons::YesNo);
        QCOMPARE(question.icon, MsgIcon::Question);
        QTRY_VERIFY(!CommWindows::readWindow());
        QCOMPARE(m_listShown, 1);

        const QList<Row> rows = storedRows(m_file);
        QCOMPARE(rows.size(), 3);
        // The last record received is stored first.
        for (int i = 0; i < 3; ++i) {
            const BpReading& r = sent[2 - i];
            QCOMPARE(rows[i].systolic, int(r.systolic));
            QCOMPARE(rows[i].diastolic, int(r.diastolic));
            QCOMPARE(rows[i].pulse, int(r.pulse));
            QCOMPARE(rows[i].map, (r.systolic + 2.0 * r.diastolic) / 3.0);
            QCOMPARE(rows[i].date, QStringLiteral("2025-03-07"));
        }
        QCOMPARE(rows[2].map, 281.0 / 3.0); // 121/80
        QCOMPARE(rows[0].time, QStringLiteral("09:05:00"));
        QCOMPARE(rows[2].time, QStringLiteral("14:05:00"));
        QCOMPARE(gRecordCount, qint64(3));
        QCOMPARE(MainStatusPanels::instance().text(MainStatusPanels::Records),
                 ed("3 Records", "3 Protokolle"));
        QCOMPARE(gRecordset->recordCount(), qint64(3));
    }

    void indicatorsFollowTheBlockAndTheTimeOutWaitsForIt()
    {
        frmRead* w = openWindow();
        QCOMPARE(m_pty->write(burst(reading(120, 80, 70, 1, 2, 3, 4))), 96);
        QVERIFY(waitUntil([&] { return w->count() == 1; }));
        for (QLabel* picture : w->Picture1)
            QVERIFY(picture->isHidden());
        QTest::qWait(kBurstPauseMs);
        // The next burst starts: from its 20th byte on the time-out waits.
        QCOMPARE(m_pty->write(QByteArray(25, '\0')), 25);
        QVERIFY(waitUntil([&] { return w->Picture1[0]->isVisibleTo(w); }));
        QVERIFY(!w->Picture1[1]->isVisibleTo(w));
        m_pty->write(QByteArray(20, '\0'));
        QVERIFY(waitUntil([&] { return w->Picture1[1]->isVisibleTo(w); }));
        QVERIFY(!w->Picture1[2]->isVisibleTo(w));
        m_pty->write(QByteArray(20, '\0'));
        QVERIFY(waitUntil([&] { return w->Picture1[2]->isVisibleTo(w); }));
        QElapsedTimer sinceLastByte;
        sinceLastByte.start();
        // The burst ends before its 80th byte: its block is scanned as it
        // stands (no frame, no record), and the time-out runs from its last byte.
        QVERIFY(waitUntil([&] { return w->Picture1[0]->isHidden(); }));
        QCOMPARE(w->count(), 1);
        QCOMPARE(w->statusPanel(1), ed("Ready", "Wenn bereit"));
        QVERIFY(waitUntil([&] { return w->statusPanel(1) == ed("Read OK", "lesen OK"); }));
        QVERIFY2(sinceLastByte.elapsed() >= 480, qPrintable(QString::number(sinceLastByte.elapsed())));
    }

    void onlyTheFirstFrameOfABurstAndNoneWithABadChecksum()
    {
        frmRead* w = openWindow();
        m_pty->write(burst(reading(140, 90, 80, 5, 6, 7, 8), BurstFault::TwoFrames,
                           reading(150, 95, 85, 5, 6, 7, 9)));
        QVERIFY(waitUntil([&] { return w->count() == 1; }));
        QCOMPARE(w->Text2->text(), QStringLiteral("140"));

        QTest::qWait(100);
        QElapsedTimer clock;
        clock.start();
        m_pty->write(burst(reading(141, 90, 80, 5, 6, 7, 8), BurstFault::BadChecksum));
        QVERIFY(waitUntil([&] { return w->statusPanel(1) == ed("Read OK", "lesen OK"); }));
        QVERIFY2(clock.elapsed() >= 450, qPrintable(QString::number(clock.elapsed())));
        QCOMPARE(w->count(), 1);
        QCOMPARE(w->Text1->text(), QStringLiteral("1"));
        QCOMPARE(w->Text2->text(), QStringLiteral("140"));
    }

    void recordsOutOfRangeOrOnDaysThatDoNotExistAreNotStored()
    {
        frmRead* w = openWindow();
        const QList<BpReading> sent = {
            reading(120, 80, 70, 13, 1, 8, 0), // month 13
            reading(121, 80, 70, 4, 1, 24, 0), // hour 24
            reading(122, 80, 70, 4, 1, 8, 60), // minute 60
            reading(123, 80, 70, 4, 0, 8, 0),  // day 0
            reading(124, 80, 70, 4, 31, 8, 0), // 31 April
            reading(125, 80, 70, 2, 29, 8, 0), // 29 February 2025
            reading(126, 80, 70, 0, 5, 8, 0),  // month 0
            reading(127, 80, 70, 4, 30, 23, 59),
        };
        sendOneByOne(w, sent);
        QCOMPARE(w->count(), sent.size());
        closeAnswering(w, MsgAnswer::Yes);
        const QList<Row> rows = storedRows(m_file);
        QCOMPARE(rows.size(), 1);
        QCOMPARE(rows[0].systolic, 127);
        QCOMPARE(rows[0].date, QStringLiteral("2025-04-30"));
        QCOMPARE(rows[0].time, QStringLiteral("23:59:00"));
        QVERIFY(m_seams->messageTexts().size() == 1); // the question only
    }

    void aRecordTheFileHoldsIsNotStoredAgain()
    {
        const Edition& e = Edition::current();
        query(m_file, QStringLiteral("insert into ambpdata (%1,%2,SYS_mmHg,DIA_mmHg,MAP_mmHg,%3) "
                                     "values ('2025-05-01','08:00:00',130,85,100,70)")
                          .arg(e.colDate(), e.colTime(), e.colPulse()));
        // A row with an empty value never matches.
        query(m_file, QStringLiteral("insert into ambpdata (%1,%2,SYS_mmHg,DIA_mmHg,MAP_mmHg) "
                                     "values ('2025-05-01','09:00:00',131,85,100)")
                          .arg(e.colDate(), e.colTime()));
        openDataFile(m_file);
        frmRead* w = openWindow();
        sendOneByOne(w, {reading(130, 85, 70, 5, 1, 8, 0),   // in the file
                         reading(140, 90, 71, 5, 1, 8, 30),  // new
                         reading(140, 90, 71, 5, 1, 8, 30),  // the same again in this run
                         reading(130, 85, 70, 5, 1, 8, 1),   // another minute
                         reading(131, 85, 0, 5, 1, 9, 0)});  // pulse 0 against the empty pulse
        closeAnswering(w, MsgAnswer::Yes);
        const QList<Row> rows = storedRows(m_file);
        QCOMPARE(rows.size(), 5);
        QCOMPARE(rows[2].systolic, 131);
        QCOMPARE(rows[2].pulse, 0);
        QCOMPARE(rows[3].systolic, 130);
        QCOMPARE(rows[3].time, QStringLiteral("08:01:00"));
        QCOMPARE(rows[4].systolic, 140);
        QCOMPARE(gRecordCount, qint64(5));
    }

    void standbyKeepsThePortOpenAndALaterBurstAddsToTheRun()
    {
        frmRead* w = openWindow();
        QVERIFY(!w->Check1->isChecked());
        w->Check1->setChecked(true);
        m_pty->write(burst(reading(120, 80, 70, 1, 1, 1, 1)));
        QVERIFY(waitUntil([&] { return w->count() == 1; }));
        QVERIFY(waitUntil([&] {
            return w->statusPanel(2) == ed("[Close] to Save Data , Waiting for Data Now!",
                                           "[Schließen]: Daten speichern ");
        }));
        QCOMPARE(w->statusPanel(1), ed("Ready", "Wenn bereit"));
        QTest::qWait(600); // a second time-out: still waiting
        QVERIFY(w->link().isPortOpen());
        QVERIFY(m_pty->peerIsOpen());
        const quint64 run = w->currentRun();
        m_pty->write(burst(reading(121, 80, 70, 1, 1, 1, 2)));
        QVERIFY(waitUntil([&] { return w->count() == 2; }));
        QCOMPARE(w->currentRun(), run);
        QCOMPARE(w->Text1->text(), QStringLiteral("2"));
        w->Check1->setChecked(false);
        QVERIFY(waitUntil([&] { return w->statusPanel(1) == ed("Read OK", "lesen OK"); }));
        QVERIFY(!w->link().isPortOpen());
        QCOMPARE(w->count(), 2);
    }

    // Retry starts over after the save question; a return to the window
    // keeps what the run received, and starts over when it holds nothing.
    void retryAsksFirstAndReactivationKeepsReadings()
    {
        frmRead* w = openWindow();
        sendOneByOne(w, {reading(120, 80, 70, 1, 1, 1, 1), reading(121, 80, 70, 1, 1, 1, 2)});
        const quint64 first = w->currentRun();
        m_seams->answers = {MsgAnswer::No};
        w->cmdRetry->click();
        QCOMPARE(m_seams->lastMessageText(), ed("Save Data to File ", "Daten Speichern ") + m_file + " ? ");
        QVERIFY(w->currentRun() > first);
        QCOMPARE(w->count(), 0);
        QCOMPARE(w->Text1->text(), QStringLiteral("0"));
        QCOMPARE(w->ProgressBar1->value(), 0);
        QCOMPARE(w->Text2->text(), QStringLiteral("SYS.: "));
        QCOMPARE(w->statusPanel(1), ed("Ready", "Wenn bereit"));
        QVERIFY(waitUntil([&] { return m_pty->peerIsOpen(); }));
        sendOneByOne(w, {reading(122, 80, 70, 1, 1, 1, 3)});
        QCOMPARE(w->Text2->text(), QStringLiteral("122"));

        // Another window of the program becomes active, then this one again.
        QWidget other;
        other.setWindowTitle(QStringLiteral("other"));
        other.show();
        other.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&other));
        const quint64 before = w->currentRun();
        w->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(w));
        QTest::qWait(50);
        QCOMPARE(w->currentRun(), before);
        QCOMPARE(w->count(), 1);
        QCOMPARE(w->Text1->text(), QStringLiteral("1"));

        // Stored, the window starts over on the next return.
        m_seams->answers = {MsgAnswer::Yes};
        w->cmdRetry->click();
        QCOMPARE(storedRows(m_file).size(), 1);
        other.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&other));
        w->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(w));
        QVERIFY(waitUntil([&] { return m_pty->peerIsOpen(); }));
        sendOneByOne(w, {reading(123, 80, 70, 1, 1, 1, 4)});
        closeAnswering(w, MsgAnswer::Yes);
        const QList<Row> rows = storedRows(m_file);
        QCOMPARE(rows.size(), 2);
        QCOMPARE(rows[0].systolic, 122);
        QCOMPARE(rows[1].systolic, 123);
    }

    void closeWithoutRecordsAsksNothing()
    {
        frmRead* w = openWindow();
        w->cmdClose->click();
        QTRY_VERIFY(!CommWindows::readWindow());
        QVERIFY(m_seams->messages.empty());
        QCOMPARE(m_listShown, 0);
        QVERIFY(waitUntil([&] { return !m_pty->peerIsOpen(); }));
    }

    void theCloseBoxAsksTheSameQuestion()
    {
        frmRead* w = openWindow();
        sendOneByOne(w, {reading(120, 80, 70, 1, 1, 1, 1)});
        m_seams->answers.push_back(MsgAnswer::No);
        w->close(); // the close box
        QTRY_VERIFY(!CommWindows::readWindow());
        QCOMPARE(m_seams->messageTexts(),
                 QStringList{ed("Save Data to File ", "Daten Speichern ") + m_file + QStringLiteral(" ? ")});
        QCOMPARE(storedRows(m_file).size(), 0);
        QCOMPARE(m_listShown, 0);
    }

    void fileCloseOffersToStoreReceivedReadingsBeforeForgettingTheFile()
    {
        frmRead* w = openWindow();
        sendOneByOne(w, {reading(120, 80, 70, 1, 1, 1, 1)});
        FileCommandWindows windows;
        windows.closeDataWindows = [] {
            if (frmRead* open = CommWindows::readWindow())
                open->close();
        };
        setFileCommandWindows(windows);
        m_seams->answers.push_back(MsgAnswer::Yes);
        FileCommands::closeFile(nullptr);
        setFileCommandWindows({});
        QTRY_VERIFY(!CommWindows::readWindow());
        QCOMPARE(m_seams->messageTexts(),
                 QStringList{ed("Save Data to File ", "Daten Speichern ") + m_file + QStringLiteral(" ? ")});
        QCOMPARE(storedRows(m_file).size(), 1);
        QVERIFY(gDataFile.isEmpty());
        QVERIFY(!gFileReady);
    }

    void aMissingPortShowsThePlatformsTextNamingTheDeviceAndTheWindowCloses()
    {
        const QString device = m_dir.filePath(QStringLiteral("no-such-device"));
        pointPortAt(1, device);
        CommWindows::showReadWindow();
        QTRY_VERIFY(!CommWindows::readWindow());
        QCOMPARE(m_seams->messageTexts(), QStringList{commFailure() + QString::fromLocal8Bit(std::strerror(ENOENT))
                                                      + ed(" , Device %1 (COM1)", " , Gerät %1 (COM1)").arg(device)});
        QCOMPARE(m_seams->messages[0].title, QStringLiteral("KORVANE"));
        QCOMPARE(m_seams->messages[0].buttons, MsgButtons::Ok);
    }

    void aPortInUseShowsThePlatformsTextAndTheWindowCloses()
    {
        QProcess holder;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("KORVANE_HOLD_DEVICE"), m_pty->devicePath());
        holder.setProcessEnvironment(env);
        holder.start(QCoreApplication::applicationFilePath(), {});
        QVERIFY(holder.waitForStarted());
        QVERIFY(waitUntil([&] { return holder.readAllStandardOutput().contains("held"); }));
        QSerialPort direct(m_pty->devicePath());
        QVERIFY(!direct.open(QIODevice::ReadOnly));
        const QString platformText = direct.errorString();
        QVERIFY(!platformText.isEmpty());

        CommWindows::showReadWindow();
        QTRY_VERIFY(!CommWindows::readWindow());
        QCOMPARE(m_seams->messageTexts(),
                 QStringList{commFailure() + platformText + ed(" , Device %1 (COM1)", " , Gerät %1 (COM1)").arg(m_pty->devicePath())});
        holder.closeWriteChannel();
        QVERIFY(holder.waitForFinished(3000));
    }

    void aVanishingLineAfterTwoRecordsShowsTheMessageThenOffersToSave()
    {
        frmRead* w = openWindow();
        sendOneByOne(w, {reading(120, 80, 70, 2, 3, 4, 5), reading(121, 81, 71, 2, 3, 4, 6)});
        m_seams->answers = {MsgAnswer::Ok, MsgAnswer::Yes};
        m_pty->close(); // the recorder's cable is pulled
        QTRY_VERIFY(!CommWindows::readWindow());
        QCOMPARE(int(m_seams->messages.size()), 2);
        QVERIFY(m_seams->messages[0].text.startsWith(commFailure()));
        QVERIFY(m_seams->messages[0].text.size() > commFailure().size());
        QCOMPARE(m_seams->messages[1].text, ed("Save Data to File ", "Daten Speichern ") + m_file + QStringLiteral(" ? "));
        QCOMPARE(m_seams->unexpectedMessages, 0);
        QCOMPARE(storedRows(m_file).size(), 2);
        QCOMPARE(m_listShown, 1);
    }

    void twoHundredRecordsAreAllKeptAndStored()
    {
        frmRead* w = openWindow();
        QList<BpReading> sent;
        for (int i = 0; i < 200; ++i)
            sent << reading(100 + i % 100, 70, 60, 6, 1 + i / 96, i / 4 % 24, i % 4 * 15);
        // Straight into the window's collector, each burst in one piece: the
        // serial line is the other tests' business, and 200 line pauses would
        // only make this one slow.
        qint64 stamp = steadyMs();
        for (const BpReading& r : sent) {
            const int before = w->count();
            w->link().collector().feed(burst(r), stamp += 300);
            QVERIFY(waitUntil([&] { return w->count() == before + 1; }));
        }
        QCOMPARE(w->count(), 200);
        QCOMPARE(w->Text1->text(), QStringLiteral("200"));
        QCOMPARE(w->ProgressBar1->value(), 200);
        QCOMPARE(w->ProgressBar1->maximum(), 200);
        QCOMPARE(w->Label1->maximum(), 200);
        closeAnswering(w, MsgAnswer::Yes);
        QCOMPARE(storedRows(m_file).size(), 200);
        QCOMPARE(int(query(m_file, QStringLiteral("select count(*) from ambpdata"))[0][0].toInt()), 200);
    }

    void theYearIsTheSaveYearUnlessTheDayLiesAhead()
    {
        m_seams->clock = QDateTime(QDate(2025, 1, 2), QTime(9, 0));
        frmRead* w = openWindow();
        sendOneByOne(w, {reading(120, 80, 70, 12, 31, 23, 30), reading(121, 80, 70, 1, 2, 8, 0),
                         reading(122, 80, 70, 1, 3, 7, 0), reading(123, 80, 70, 1, 4, 6, 0),
                         reading(124, 80, 70, 2, 29, 6, 0)});
        closeAnswering(w, MsgAnswer::Yes);
        QMap<int, QString> dates;
        for (const Row& r : storedRows(m_file))
            dates.insert(r.systolic, r.date);
        QCOMPARE(dates.value(120), QStringLiteral("2024-12-31"));
        QCOMPARE(dates.value(121), QStringLiteral("2025-01-02"));
        QCOMPARE(dates.value(122), QStringLiteral("2025-01-03"));
        QCOMPARE(dates.value(123), QStringLiteral("2024-01-04"));
        QCOMPARE(dates.value(124), QStringLiteral("2024-02-29"));
    }

    void recordsGoIntoTheFileTheFilePanelShows()
    {
        // The shared record set still belongs to the earlier file, as after
        // Open while a list window held it.
        const QString other = makeDataFile(m_dir.path(), QStringLiteral("other%1.amb").arg(m_fileNumber));
        gDataFile = other;
        frmRead* w = openWindow();
        sendOneByOne(w, {reading(120, 80, 70, 1, 1, 1, 1)});
        closeAnswering(w, MsgAnswer::Yes);
        QCOMPARE(m_seams->messages[0].text, ed("Save Data to File ", "Daten Speichern ") + other + QStringLiteral(" ? "));
        QCOMPARE(storedRows(other).size(), 1);
        QCOMPARE(storedRows(m_file).size(), 0);
        QCOMPARE(gRecordset->connection()->dataSource(), other);
    }

    // A slow line is still delivering while the idle time of a fast one
    // passes: every burst is received, and Read OK comes after the last.
    void slowLinesReceiveEveryBurst_data()
    {
        QTest::addColumn<int>("baud");
        QTest::newRow("1200") << 1200;
        QTest::newRow("600") << 600;
        QTest::newRow("300") << 300;
    }
    void slowLinesReceiveEveryBurst()
    {
        QFETCH(int, baud);
        gCommSet = QStringLiteral("%1,n,8,1").arg(baud);
        frmRead* w = openWindow();
        const int byteMs = 10000 / baud; // start, 8 data and stop bits
        const QList<BpReading> sent = {reading(121, 80, 72, 3, 7, 14, 5), reading(130, 85, 75, 3, 7, 14, 20)};
        for (const BpReading& r : sent) {
            const QByteArray bytes = burst(r);
            QElapsedTimer line;
            line.start();
            for (int i = 0; i < bytes.size(); ++i) {
                waitUntil([&] { return line.elapsed() >= qint64(i) * byteMs; });
                QCOMPARE(m_pty->write(bytes.mid(i, 1)), 1);
            }
            // The recorder's pause between bursts: longer than a byte's time.
            QTest::qWait(4 * byteMs + 60);
        }
        QVERIFY(waitUntil([&] { return w->statusPanel(1) == ed("Read OK", "lesen OK"); }));
        QCOMPARE(w->count(), 2);
        QCOMPARE(w->records()[1].systolic, 130);
    }

    // A row the file refuses stops storing: the rows before it stay, the
    // readings stay in the window, and they go into a new data file.
    void aFailingWriteKeepsTheReadingsForANewFile()
    {
        query(m_file, QStringLiteral("create trigger refuse before insert on ambpdata when "
                                     "new.SYS_mmHg = 150 begin select raise(abort, 'refused by the file'); end"));
        frmRead* w = openWindow();
        sendOneByOne(w, {reading(140, 80, 70, 1, 1, 1, 1), reading(150, 80, 70, 1, 1, 1, 2),
                         reading(160, 80, 70, 1, 1, 1, 3)});
        m_seams->answers = {MsgAnswer::Yes, MsgAnswer::No};
        w->cmdClose->click();
        QCOMPARE(int(m_seams->messages.size()), 2);
        QVERIFY2(m_seams->messages[1].text.contains(QStringLiteral("refused by the file")),
                 qPrintable(m_seams->messages[1].text));
        QVERIFY(m_seams->messages[1].text.contains(ed("The 3 Readings Received Are Kept",
                                                      "Die 3 empfangenen Messwerte bleiben erhalten")));
        QCOMPARE(int(m_seams->messages[1].buttons), int(MsgButtons::YesNo));
        // Declined: the window stays with its readings.
        QVERIFY(CommWindows::readWindow() && w->isVisible());
        QCOMPARE(w->count(), 3);
        const QList<Row> rows = storedRows(m_file);
        QCOMPARE(rows.size(), 1);
        QCOMPARE(rows[0].systolic, 160);
        QCOMPARE(MainStatusPanels::instance().text(MainStatusPanels::Records).trimmed(),
                 QStringLiteral("1") + ed(" Records", " Protokolle"));
        QCOMPARE(m_listShown, 0);
        QCOMPARE(gRecordset->editMode(), int(Recordset::EditNone));

        // Close asks again; this time into a new file made from the template.
        const QString folder = m_dir.filePath(QStringLiteral("t%1").arg(m_fileNumber));
        QVERIFY(QDir().mkpath(folder) && QDir::setCurrent(folder));
        QVERIFY(QFile::copy(qEnvironmentVariable("KORVANE_BUILD_DIR")
                                + (Edition::current().isGerman() ? "/de/new.amb" : "/en/new.amb"),
                            folder + QStringLiteral("/new.amb")));
        const QString fresh = m_dir.filePath(QStringLiteral("fresh%1.amb").arg(m_fileNumber));
        m_seams->filePaths = {fresh};
        m_seams->answers = {MsgAnswer::Yes, MsgAnswer::Yes};
        w->cmdClose->click();
        QTRY_VERIFY(!CommWindows::readWindow());
        QCOMPARE(storedRows(fresh).size(), 3);
        QCOMPARE(gDataFile, fresh);
        QCOMPARE(m_listShown, 1);
    }

    void screenshot()
    {
        const QByteArray folder = qgetenv("KORVANE_SHOTS");
        if (folder.isEmpty())
            QSKIP("set KORVANE_SHOTS to a folder to keep pictures of the window");
        const QString suffix = Edition::current().isGerman() ? QStringLiteral("-de.png") : QStringLiteral("-en.png");
        frmRead* w = openWindow();
        sendOneByOne(w, {reading(128, 84, 71, 3, 7, 14, 5), reading(133, 86, 74, 3, 7, 14, 20)});
        m_pty->write(QByteArray(65, '\0')); // the next block, three lamps lit
        QVERIFY(waitUntil([&] { return w->Picture1[2]->isVisibleTo(w); }));
        QVERIFY(w->grab().save(QString::fromUtf8(folder) + QStringLiteral("/frmRead-run") + suffix));
        m_pty->write(burst(reading(124, 80, 69, 3, 7, 14, 35)));
        QVERIFY(waitUntil([&] { return w->count() == 3 || w->Picture1[0]->isHidden(); }));
        QVERIFY(waitUntil([&] { return w->statusPanel(1) == ed("Read OK", "lesen OK"); }));
        QVERIFY(w->grab().save(QString::fromUtf8(folder) + QStringLiteral("/frmRead-readok") + suffix));
    }

private:
    frmRead* openWindow()
    {
        CommWindows::showReadWindow();
        frmRead* w = CommWindows::readWindow();
        if (!w || !waitUntil([&] { return w->currentRun() > 0 && m_pty->peerIsOpen(); }))
            qFatal("the reading window did not open the port");
        return w;
    }

    // Sends each burst when the previous one has been counted, after a
    // pause that tells the line's bursts apart: a burst written at once
    // came, for the line, over the 100 ms that 96 bytes take at 9600 baud.
    void sendOneByOne(frmRead* w, const QList<BpReading>& readings)
    {
        QElapsedTimer sinceWrite;
        for (const BpReading& r : readings) {
            if (sinceWrite.isValid())
                waitUntil([&] { return sinceWrite.elapsed() > kBurstPauseMs; });
            const int before = w->count();
            if (m_pty->write(burst(r)) != 96)
                qFatal("write failed");
            sinceWrite.start();
            if (!waitUntil([&] { return w->count() == before + 1; }))
                qFatal("burst %d was not counted", before + 1);
        }
    }

    void closeAnswering(frmRead* w, MsgAnswer answer)
    {
        m_seams->answers.push_back(answer);
        w->cmdClose->click();
        QTRY_VERIFY(!CommWindows::readWindow());
    }

    // Data files on a memory file system where there is one: the stored
    // rows are the same, without waiting for the disk at every row.
    QTemporaryDir m_dir{QDir(QStringLiteral("/dev/shm")).exists() ? QStringLiteral("/dev/shm/korvane-read-XXXXXX") : QDir::tempPath() + QStringLiteral("/korvane-read-XXXXXX")};
    int m_fileNumber = 0;
    QString m_file;
    std::unique_ptr<ScriptedSeams> m_seams;
    std::unique_ptr<PtyEndpoint> m_pty;
    int m_listShown = 0;
};

int main(int argc, char** argv)
{
    // Child mode for the "in use" test: hold the device until stdin closes.
    if (const QByteArray device = qgetenv("KORVANE_HOLD_DEVICE"); !device.isEmpty()) {
        QCoreApplication app(argc, argv);
        QSerialPort port(QString::fromLocal8Bit(device));
        if (!port.open(QIODevice::ReadOnly)) {
            fprintf(stderr, "holder: %s\n", qPrintable(port.errorString()));
            return 1;
        }
        fputs("held\n", stdout);
        fflush(stdout);
        char c;
        while (::read(0, &c, 1) > 0) {
        }
        return 0;
    }
    QApplication::setAttribute(Qt::AA_DontUseNativeDialogs);
    QApplication app(argc, argv);
    int failures = 0;
    for (EditionId edition : {EditionId::English, EditionId::German}) {
        Edition::select(edition);
        qInfo("---- %s edition", edition == EditionId::German ? "German" : "English");
        TestBpReading test;
        failures += QTest::qExec(&test, argc, argv);
    }
    return failures;
}

#include "test_bpreading.moc"
