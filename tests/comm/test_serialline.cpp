// The serial layer and the block collector on a real QSerialPort, with a
// pseudo-terminal standing in for the recorder's line.
#include "text/Edition.h"
#include "PtyWait.h"
#include "comm/FrameProtocol.h"
#include "comm/RecorderLink.h"
#include "platform/SerialLine.h"
#include "platform/SerialSettings.h"
#include "platform/SettingsStore.h"
#include "tools/recorder/BurstBuilder.h"
#include "tools/recorder/PtyEndpoint.h"

#include <QProcess>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

#include <cerrno>
#include <cstring>
#include <unistd.h>

namespace {

constexpr int kPort = 3;

void pointPortAt(int number, const QString& device)
{
    QVERIFY(writeSetting(kAppTitle, kPortsSection, QStringLiteral("COM%1").arg(number), device));
}

QByteArray withParts(int size, const QList<std::pair<int, QByteArray>>& parts, char fill = '\0')
{
    QByteArray b(size, fill);
    for (const auto& [at, bytes] : parts)
        b.replace(at, bytes.size(), bytes);
    return b;
}

// The stream of the chunk test: bursts as the recorder sends them, with a
// short burst whose bytes carry over into the next block.
QList<QByteArray> recorderBursts()
{
    const auto frame = [](quint8 sys) {
        return EncodeFrame(FrameFields{sys, 80, 72, 3, 7, 14, 5}, FrameLayout::Split);
    };
    QRandomGenerator random(5);
    return {
        withParts(96, {{5, frame(121)}}),
        withParts(80, {{60, frame(122)}}),
        withParts(200, {{0, frame(123)}, {20, frame(124)}}),
        buildNoiseBurst(random, 30),
        withParts(96, {{5, frame(125)}}, '\x11'),
        withParts(81, {{12, QByteArray("UwUwUw")}, {30, frame(126)}}),
    };
}

struct BlockSummary {
    ScanResult scan;
    FrameFields fields;
    QByteArray head; // the bytes the scan reads
    friend bool operator==(const BlockSummary&, const BlockSummary&) = default;
};

// What a run saw when the bursts came in chunks of `chunk` bytes (0: each
// burst in one piece).
struct RunRecord {
    QStringList events;
    QList<BlockSummary> blocks;
    QList<QByteArray> rawBlocks;
    QList<QByteArray> sources; // what each block's bytes were taken from
    QList<int> bounds;         // where the write that carried its 80th byte ended
};

} // namespace

class TestSerialLine : public QObject {
    Q_OBJECT
private slots:
    void initTestCase()
    {
        QVERIFY(m_config.isValid());
        Edition::select(EditionId::English); // the line's messages in the catalogue's words
        qputenv("XDG_CONFIG_HOME", m_config.path().toUtf8());
    }

    void portNamesGiveNumbersOnlyForComOneToEight()
    {
        for (int n = 1; n <= 8; ++n)
            QCOMPARE(portNumberFromName(QStringLiteral("COM%1").arg(n)), std::optional<int>(n));
        for (const char* other : {"COM9", "COM0", "com3", "COM 1", " COM1", "COM01", "COM1 ", "", "LPT1"})
            QCOMPARE(portNumberFromName(QString::fromLatin1(other)), std::nullopt);
    }

    void portNumberNamesADeviceThroughThePortsSection()
    {
        QCOMPARE(deviceForPortNumber(5), QStringLiteral("/dev/ttyS4"));
        pointPortAt(5, QStringLiteral("/dev/ttyUSB0"));
        QCOMPARE(deviceForPortNumber(5), QStringLiteral("/dev/ttyUSB0"));
        QCOMPARE(deviceForPortNumber(6), QStringLiteral("/dev/ttyS5"));
        SerialLine line;
        QCOMPARE(line.portNumber(), 1);
        QVERIFY(line.setPortNumber(5));
        QCOMPARE(line.device(), QStringLiteral("/dev/ttyUSB0"));
        QVERIFY(!line.setPortNumber(9));
        QVERIFY(!line.setPortNumber(0));
        QCOMPARE(line.portNumber(), 5);
    }

    void lineSettingsTextIsParsed()
    {
        const auto s = LineSettings::parse(QStringLiteral("2400,e,7,2"));
        QVERIFY(s);
        QCOMPARE(s->baudRate, 2400);
        QCOMPARE(s->parity, QSerialPort::EvenParity);
        QCOMPARE(s->dataBits, QSerialPort::Data7);
        QCOMPARE(s->stopBits, QSerialPort::TwoStop);
        QVERIFY(LineSettings::parse(QStringLiteral("9600,n,8,1")));
        QCOMPARE(LineSettings::parse(QStringLiteral("1200,o,8,1"))->parity, QSerialPort::OddParity);
        for (const char* bad : {"", "9600", "9600,n,8", "9600,n,8,1,1", "9600,x,8,1", "9601,n,8,1",
                                "9600,n,9,1", "9600,n,8,3", "9600, n,8,1", "-9600,n,8,1", "abc,n,8,1"})
            QVERIFY2(!LineSettings::parse(QString::fromLatin1(bad)), bad);
    }

    void closedPortHasNothingWaitingAndNoError()
    {
        SerialLine line;
        QSignalSpy lost(&line, &SerialLine::lineLost);
        QVERIFY(!line.isOpen());
        QCOMPARE(line.waitingCount(), 0);
        QVERIFY(line.readAllWaiting().isEmpty());
        line.discardWaiting();
        line.close();
        QVERIFY(line.errorString().isEmpty());
        QCOMPARE(lost.count(), 0);
    }

    void missingDeviceGivesThePlatformsTextNamingTheDevice()
    {
        const QString device = m_config.filePath(QStringLiteral("no-such-device"));
        pointPortAt(kPort, device);
        SerialLine line;
        line.setPortNumber(kPort);
        QVERIFY(!line.open());
        QVERIFY(!line.isOpen());
        QCOMPARE(line.errorString(),
                 QString::fromLocal8Bit(std::strerror(ENOENT)) + QStringLiteral(" , Device %1 (COM%2)").arg(device).arg(kPort));
    }

    void refusedSettingsAreAnErrorAtOpen()
    {
        PtyEndpoint pty;
        QVERIFY(pty.open());
        pointPortAt(kPort, pty.devicePath());
        SerialLine line;
        line.setPortNumber(kPort);
        line.setSettings(QStringLiteral("9600,x,8,1"));
        QVERIFY(!line.open());
        QCOMPARE(line.errorString(), QStringLiteral("Invalid Line Settings \"9600,x,8,1\""));
        line.setSettings(QStringLiteral("2400,e,7,2"));
        QVERIFY2(line.open(), qPrintable(line.errorString()));
        QVERIFY(line.errorString().isEmpty());
    }

    void deviceHeldByAnotherProgramGivesThePlatformsText()
    {
        PtyEndpoint pty;
        QVERIFY(pty.open());
        QVERIFY(pty.createLink(m_config.filePath(QStringLiteral("recorder")), nullptr));
        pointPortAt(kPort, pty.linkPath());

        QProcess holder;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("KORVANE_HOLD_PORT"), QString::number(kPort));
        holder.setProcessEnvironment(env);
        holder.start(QCoreApplication::applicationFilePath(), {});
        QVERIFY(holder.waitForStarted());
        QVERIFY(waitUntil([&] { return holder.readAllStandardOutput().contains("held"); }));

        SerialLine line;
        line.setPortNumber(kPort);
        QVERIFY(!line.open());
        // The same text the platform's port gives for this device.
        QSerialPort direct(pty.linkPath());
        QVERIFY(!direct.open(QIODevice::ReadOnly));
        QVERIFY(!direct.errorString().isEmpty());
        QCOMPARE(line.errorString(), direct.errorString() + QStringLiteral(" , Device %1 (COM%2)").arg(pty.linkPath()).arg(kPort));

        holder.closeWriteChannel(); // the holder ends and lets go
        QVERIFY(holder.waitForFinished(3000));
        QVERIFY2(line.open(), qPrintable(line.errorString()));
    }

    void vanishingLineIsReportedNotHungOn()
    {
        PtyEndpoint pty;
        QVERIFY(pty.open());
        pointPortAt(kPort, pty.devicePath());
        RecorderLink link;
        link.port().setPortNumber(kPort);
        QVERIFY2(link.OpenPort(true), qPrintable(link.errorString()));
        QSignalSpy lost(&link.port(), &SerialLine::lineLost);
        QSignalSpy failed(&link, &RecorderLink::lineFailed);
        const quint64 run = link.startRun();
        link.WaitForBlock();
        QVERIFY(waitUntil([&] { return pty.peerIsOpen(); }));
        QCOMPARE(pty.write(QByteArray(30, 'x')), 30);
        QVERIFY(waitUntil([&] { return link.waitingCount() == 30; }));

        const QString device = pty.devicePath();
        pty.close(); // the recorder's cable is pulled
        QVERIFY(waitUntil([&] { return failed.count() > 0; }, 2000));
        QCOMPARE(lost.count(), 1);
        QCOMPARE(failed.first().at(0).value<quint64>(), run);
        QCOMPARE(failed.first().at(1).toString(), QStringLiteral("Input/output error , Device %1 (COM%2)").arg(device).arg(kPort));
        QVERIFY(!link.isPortOpen());
        QCOMPARE(link.waitingCount(), 0);
        // Reported once; afterwards the closed port is quiet.
        QTest::qWait(50);
        QCOMPARE(failed.count(), 1);
    }

    void closedPortLeavesTheRunWaitingQuietly()
    {
        // After the idle time-out closes the port the run still waits, and
        // a closed port must not look like data or an error.
        PtyEndpoint pty;
        QVERIFY(pty.open());
        pointPortAt(kPort, pty.devicePath());
        RecorderLink link;
        link.port().setPortNumber(kPort);
        QVERIFY(link.OpenPort(true));
        QSignalSpy stage(&link, &RecorderLink::stageReached);
        QSignalSpy failed(&link, &RecorderLink::lineFailed);
        link.startRun();
        link.WaitForBlock();
        QVERIFY(waitUntil([&] { return pty.peerIsOpen(); }));
        link.closePort();
        QCOMPARE(pty.write(QByteArray(100, 'x')), 100); // nobody reads them now
        QTest::qWait(30);
        QCOMPARE(link.waitingCount(), 0);
        QCOMPARE(stage.count(), 0);
        QCOMPARE(failed.count(), 0);
        // Opened again without restart, then with: the line works again.
        QVERIFY(link.OpenPort(false));
        link.DiscardWaiting();
        QVERIFY(link.OpenPort(false));
        QCOMPARE(pty.write(QByteArray(20, 'y')), 20);
        QVERIFY(waitUntil([&] { return stage.count() == 1; }));
    }

    void chunksOfEverySizeGiveTheSameBlocksAndStages()
    {
        PtyEndpoint pty;
        QVERIFY(pty.open());
        pointPortAt(kPort, pty.devicePath());
        RecorderLink link;
        link.port().setPortNumber(kPort);
        QVERIFY2(link.OpenPort(true), qPrintable(link.errorString()));
        QVERIFY(waitUntil([&] { return pty.peerIsOpen(); }));
        // The test keeps the collector's time: a millisecond per write, a
        // recorder's pause between bursts.
        link.collector().setClock([this] { return m_now; });

        const QList<QByteArray> bursts = recorderBursts();
        const RunRecord whole = play(link, pty, bursts, 0);
        QCOMPARE(whole.events, QStringList({"S1", "S2", "S3", "B", "S1", "S2", "S3", "B", "S1", "S2",
                                            "S3", "B", "S1", "S2", "S3", "B", "S1", "S2", "S3", "B"}));
        QCOMPARE(whole.blocks.size(), 5);
        const QList<int> offsets = {5, 60, 0, 35, 30};
        const QList<int> systolic = {121, 122, 123, 125, 126};
        for (int i = 0; i < 5; ++i) {
            QCOMPARE(whole.blocks[i].scan.offset, offsets[i]);
            QCOMPARE(int(whole.blocks[i].fields.a), systolic[i]);
        }
        QCOMPARE(whole.blocks[4].scan.marker, true);
        QCOMPARE(whole.rawBlocks[3].size(), 126); // the short burst and the next

        for (int chunk = 1; chunk <= 200; ++chunk) {
            const RunRecord split = play(link, pty, bursts, chunk);
            QCOMPARE(split.events, whole.events);
            QCOMPARE(split.blocks, whole.blocks);
            for (int i = 0; i < split.rawBlocks.size(); ++i) {
                // Everything that had arrived, in order, and no more than
                // the chunk that carried the 80th byte.
                const QByteArray& block = split.rawBlocks[i];
                QVERIFY2(block.size() >= 80 && block.size() <= split.bounds[i],
                         qPrintable(QStringLiteral("chunk %1 block %2 size %3").arg(chunk).arg(i).arg(block.size())));
                QVERIFY(split.sources[i].startsWith(block));
            }
        }
    }

private:
    // Plays the bursts through the pseudo-terminal, `chunk` bytes per write
    // (0: a burst per write), waiting until each write has arrived; re-arms
    // the block wait (after discarding what waits) before a burst when the
    // previous wait gave its block, as the reading window does.
    RunRecord play(RecorderLink& link, PtyEndpoint& pty, const QList<QByteArray>& bursts, int chunk)
    {
        RunRecord record;
        qint64 arrived = 0;      // bytes taken into blocks or discarded
        const qint64 droppedBefore = link.collector().tailBytesDropped();
        const auto tail = [&] { return link.collector().tailBytesDropped() - droppedBefore; };
        QByteArray sinceArmed;   // what the current wait can see
        QList<int> writeEnds;    // where each write ended in sinceArmed
        bool armed = false;
        const quint64 run = link.startRun();
        QMetaObject::Connection stages = connect(&link, &RecorderLink::stageReached, this,
            [&](quint64 r, int stage) {
                if (r == run)
                    record.events.append(QStringLiteral("S%1").arg(stage));
            });
        QMetaObject::Connection blocks = connect(&link, &RecorderLink::blockReady, this,
            [&](quint64 r, const QByteArray& block) {
                if (r != run)
                    return;
                record.events.append(QStringLiteral("B"));
                const ScanResult scan = ScanBlock(block);
                record.blocks.append(BlockSummary{scan, scan.found ? DecodeFrame(block, scan.offset, FrameLayout::Split) : FrameFields{}, block.left(Frame::kLastByteRead + 1)});
                record.rawBlocks.append(block);
                record.sources.append(sinceArmed);
                record.bounds.append(*std::find_if(writeEnds.begin(), writeEnds.end(),
                                                   [](int end) { return end >= 80; }));
                arrived += block.size();
                armed = false;
            });
        link.DiscardWaiting();
        for (const QByteArray& burst : bursts) {
            if (!armed) {
                arrived += link.waitingCount();
                link.DiscardWaiting();
                sinceArmed.clear();
                writeEnds.clear();
                link.WaitForBlock();
                armed = true;
            }
            const int step = chunk > 0 ? chunk : int(burst.size());
            for (int at = 0; at < burst.size(); at += step) {
                const QByteArray piece = burst.mid(at, step);
                sinceArmed += piece;
                writeEnds.append(int(sinceArmed.size()));
                m_now += 1;
                if (pty.write(piece) != piece.size())
                    qFatal("pseudo-terminal write failed");
                const qint64 target = arrived + tail() + link.waitingCount() + piece.size();
                if (!waitUntil([&] { return arrived + tail() + link.waitingCount() >= target; }))
                    qFatal("bytes did not arrive (chunk %d)", chunk);
            }
            m_now += 300;
        }
        disconnect(stages);
        disconnect(blocks);
        link.stop();
        return record;
    }

    QTemporaryDir m_config;
    qint64 m_now = 0;
};

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    // Child mode for the "in use" test: hold the port until stdin closes.
    if (const QByteArray port = qgetenv("KORVANE_HOLD_PORT"); !port.isEmpty()) {
        SerialLine line;
        line.setPortNumber(port.toInt());
        if (!line.open()) {
            fprintf(stderr, "holder: %s\n", qPrintable(line.errorString()));
            return 1;
        }
        fputs("held\n", stdout);
        fflush(stdout);
        char c;
        while (::read(0, &c, 1) > 0) {
        }
        return 0;
    }
    TestSerialLine test;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, argc, argv);
}

#include "test_serialline.moc"
