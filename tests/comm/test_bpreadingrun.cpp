// The blood-pressure reading run without its window, against the recorder
// simulator on a pseudo-terminal: every burst is a reading, also when both
// cores are busy or the run's thread is held up; the idle time-out ends the transfer unless it waits on;
// a line that goes away is one failure report.
#include "text/Edition.h"
#include "PtyWait.h"
#include "comm/BpReadingRun.h"
#include "platform/SerialSettings.h"
#include "platform/SettingsStore.h"
#include "tools/recorder/RecorderFrames.h"

#include <QFileInfo>
#include <QProcess>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

#include <optional>

namespace {

constexpr int kPort = 5;

// Keeps both cores busy for as long as it lives.
class Load {
public:
    Load()
    {
        for (auto& p : m_burners)
            p.start(QStringLiteral("sh"), {QStringLiteral("-c"), QStringLiteral("while :; do :; done")});
    }
    ~Load()
    {
        for (auto& p : m_burners) {
            p.kill();
            p.waitForFinished();
        }
    }

private:
    QProcess m_burners[2];
};

} // namespace

class TestBpReadingRun : public QObject {
    Q_OBJECT
    QTemporaryDir m_dir;
    QString m_program;
    int m_links = 0;

    // Starts the simulator on a new link and points the run's port at it.
    QString startRecorder(QProcess& simulator, const QStringList& args, BpReadingRun& run, int lingerMs = 300)
    {
        const QString link = m_dir.filePath(QStringLiteral("link%1").arg(++m_links));
        simulator.start(m_program, args + QStringList{"--link", link, "--delay", "50", "--linger",
                                                      QString::number(lingerMs), "--seed", "3"});
        if (!simulator.waitForStarted() || !waitUntil([&] { return QFileInfo(link).exists(); }))
            return QString();
        writeSetting(QString::fromLatin1(kAppTitle), QString::fromLatin1(kPortsSection),
                     QStringLiteral("COM%1").arg(kPort), link);
        run.port().setPortNumber(kPort);
        return link;
    }

private slots:
    void initTestCase()
    {
        QVERIFY(m_dir.isValid());
        Edition::select(EditionId::English); // the line's messages in the catalogue's words
        m_program = qEnvironmentVariable("KORVANE_BUILD_DIR") + QStringLiteral("/tools/korvane-recorder");
        QVERIFY2(QFile::exists(m_program), qPrintable(m_program));
    }

    void everyBurstUnderLoad_data()
    {
        QTest::addColumn<QStringList>("line");
        QTest::addColumn<int>("count");
        QTest::addColumn<int>("heldUpMs");
        QTest::addColumn<bool>("busy");
        // Each burst written at once: the line's 100 ms for 96 bytes and a
        // silence must lie between them.
        QTest::newRow("200 bursts at once, both cores busy")
            << QStringList{"--gap", "150"} << 200 << 0 << true;
        // As a recorder may send: the frame anywhere in 0..60, bursts of 80
        // to 200 bytes 30 ms apart, paced like a 9600-baud line.
        const QStringList varied{"--baud", "9600", "--gap", "30", "--offset", "random",
                                 "--burst-length", "80-200"};
        QTest::newRow("varied bursts") << varied << 60 << 0 << false;
        // The window's thread busy 150 ms out of every 211 (a slow paint,
        // a slow disk) from the third burst on: the stamps still tell the
        // bursts apart.
        QTest::newRow("varied bursts, reader held up") << varied << 60 << 150 << false;
        QTest::newRow("varied bursts, both cores busy") << varied << 60 << 0 << true;
    }
    void everyBurstUnderLoad()
    {
        QFETCH(QStringList, line);
        QFETCH(int, count);
        QFETCH(int, heldUpMs);
        QFETCH(bool, busy);
        QList<BpReading> sent;
        QByteArray csv;
        for (int i = 0; i < count; ++i) {
            sent.append({quint8(90 + i % 120), quint8(60 + i % 30), quint8(55 + i % 40), 7, 1, quint8(i / 60 % 24),
                         quint8(i % 60)});
            csv += QByteArray::number(sent[i].month) + ',' + QByteArray::number(sent[i].day) + ','
                + QByteArray::number(sent[i].hour) + ',' + QByteArray::number(sent[i].minute) + ','
                + QByteArray::number(sent[i].systolic) + ',' + QByteArray::number(sent[i].diastolic) + ','
                + QByteArray::number(sent[i].pulse) + '\n';
        }
        const QString csvPath = m_dir.filePath(QStringLiteral("readings.csv"));
        QFile file(csvPath);
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write(csv) == csv.size());
        file.close();

        BpReadingRun run;
        run.setContinueWaiting(true);
        QProcess simulator;
        QVERIFY(!startRecorder(simulator, QStringList{"--csv", csvPath} + line, run).isEmpty());
        QSignalSpy failed(&run, &BpReadingRun::failed);
        std::optional<Load> load;
        if (busy)
            load.emplace();
        QTimer holdUp;
        connect(&holdUp, &QTimer::timeout, this, [heldUpMs] { QThread::msleep(heldUpMs); });
        QSignalSpy received(&run, &BpReadingRun::recordReceived);
        if (heldUpMs > 0)
            connect(&run, &BpReadingRun::recordReceived, &holdUp, [&] {
                if (received.count() == 2)
                    holdUp.start(211);
            });
        QVERIFY(run.start());
        // The simulator hangs up after the last burst.
        QVERIFY(waitUntil([&] { return failed.count() > 0; }, 120000));
        QCOMPARE(run.records().size(), count);
        for (int i = 0; i < count; ++i)
            QCOMPARE(run.records()[i].systolic, sent[i].systolic);
        simulator.waitForFinished(3000);
    }

    void theIdleTimeEndsTheTransferUnlessItWaitsOn()
    {
        for (const bool waitOn : {false, true}) {
            BpReadingRun run;
            run.setContinueWaiting(waitOn);
            QProcess simulator;
            QVERIFY(!startRecorder(simulator, {"--count", "2", "--gap", "100"}, run, 3000).isEmpty());
            QSignalSpy idle(&run, &BpReadingRun::idleTimeout);
            QVERIFY(run.start());
            QVERIFY(waitUntil([&] { return !idle.isEmpty(); }, 5000));
            QCOMPARE(run.records().size(), 2);
            QCOMPARE(idle.first().first().toBool(), !waitOn);
            QCOMPARE(run.link().isPortOpen(), waitOn);
            run.end();
            simulator.kill();
            simulator.waitForFinished();
        }
    }
};

QTEST_GUILESS_MAIN(TestBpReadingRun)
#include "test_bpreadingrun.moc"
