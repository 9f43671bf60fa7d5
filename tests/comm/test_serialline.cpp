// The serial layer and the block collector on a real QSerialPort, with a
// pseudo-terminal standing in for the recorder's line.
#include "text/Edition.h"
#include "PtyWait.h"
#include "comm/FrameProtocol.h"
#include "comm/RecorderLink.h"
#include "platform/SerialLine.h"
#include "platform/SerialSettings.h"
#include "platform/SettingsStore.h"
#include "platform/SteadyClock.h"
#include "tools/recorder/BurstBuilder.h"
#include "tools/recorder/PtyEndpoint.h"

#include <QProcess>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QThread>
#include <QtTest>

#include <cerrno>
#include <cstring>
#include <unistd.h>

namespace {

constexpr int kPort = 3;

// Waits for the reader thread without handling an event here.
template <class Condition>
bool readerReads(Condition condition)
{
    for (int i = 0; i < 300 && !condition(); ++i)
        QThread::msleep(10);
    return condition();
}

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
        QCOMPARE(line.lastArrival(), qint64(-1));
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

    // The reader thread stamps bytes as they come, whatever holds this
    // thread up, and hands them on in order.
    void piecesKeepTheMomentsTheyCameWhileThisThreadIsBusy()
    {
        PtyEndpoint pty;
        QVERIFY(pty.open());
        pointPortAt(kPort, pty.devicePath());
        SerialLine line;
        line.setPortNumber(kPort);
        QVERIFY2(line.open(), qPrintable(line.errorString()));
        QVERIFY(waitUntil([&] { return pty.peerIsOpen(); }));
        QList<std::pair<QByteArray, qint64>> pieces;
        connect(&line, &SerialLine::bytesArrived, this,
                [&](const QByteArray& bytes, qint64 stamp) { pieces.append({bytes, stamp}); });
        const qint64 first = steadyMs();
        QCOMPARE(pty.write(QByteArray(40, 'a')), 40);
        QThread::msleep(80); // busy: no event is handled
        const qint64 second = steadyMs();
        QCOMPARE(pty.write(QByteArray(40, 'b')), 40);
        QThread::msleep(80);
        QVERIFY(pieces.isEmpty());
        QVERIFY(waitUntil([&] {
            QByteArray all;
            for (const auto& piece : pieces)
                all += piece.first;
            return all == QByteArray(40, 'a') + QByteArray(40, 'b');
        }));
        for (const auto& [bytes, stamp] : pieces) {
            const qint64 sent = bytes.startsWith('a') ? first : second;
            QVERIFY2(stamp >= sent && stamp < sent + 60, qPrintable(QString::number(stamp - sent)));
        }
        QCOMPARE(line.lastArrival(), pieces.last().second);
    }

    void nothingIsHandedOnAfterCloseOrFromBeforeADiscard()
    {
        PtyEndpoint pty;
        QVERIFY(pty.open());
        pointPortAt(kPort, pty.devicePath());
        SerialLine line;
        line.setPortNumber(kPort);
        QVERIFY(line.open());
        QVERIFY(waitUntil([&] { return pty.peerIsOpen(); }));
        QByteArray got;
        connect(&line, &SerialLine::bytesArrived, this, [&](const QByteArray& bytes) { got += bytes; });
        QCOMPARE(pty.write(QByteArray(30, 'x')), 30);
        // Read and on its way, not yet handled: no event is handled here.
        QVERIFY(readerReads([&] { return line.lastArrival() >= 0; }));
        line.discardWaiting();
        QCOMPARE(pty.write(QByteArray(5, 'y')), 5);
        QVERIFY(waitUntil([&] { return got.size() >= 5; }));
        QCOMPARE(got, QByteArray(5, 'y'));

        const qint64 before = line.lastArrival();
        QThread::msleep(2); // a later stamp
        QCOMPARE(pty.write(QByteArray(30, 'z')), 30);
        QVERIFY(readerReads([&] { return line.lastArrival() > before; }));
        line.close();
        QTest::qWait(30);
        QCOMPARE(got, QByteArray(5, 'y'));
    }

    // The recorder's bursts over a real line: each burst its block, a short
    // one included, however the bytes are split on the way.
    void everyBurstGivesItsBlockWhateverThePieces()
    {
        PtyEndpoint pty;
        QVERIFY(pty.open());
        pointPortAt(kPort, pty.devicePath());
        RecorderLink link;
        link.port().setPortNumber(kPort);
        QVERIFY2(link.OpenPort(true), qPrintable(link.errorString()));
        QVERIFY(waitUntil([&] { return pty.peerIsOpen(); }));
        const QList<QByteArray> bursts = recorderBursts();
        for (const int chunk : {0, 1, 7, 16, 64}) {
            QList<QByteArray> blocks;
            const quint64 run = link.startRun();
            QMetaObject::Connection c = connect(&link, &RecorderLink::blockReady, this,
                [&](quint64 r, const QByteArray& block) {
                    QCOMPARE(r, run);
                    blocks.append(block);
                    link.WaitForBlock();
                });
            link.DiscardWaiting();
            link.WaitForBlock();
            for (const QByteArray& burst : bursts) {
                const int step = chunk > 0 ? chunk : int(burst.size());
                for (int at = 0; at < burst.size(); at += step)
                    QCOMPARE(pty.write(burst.mid(at, step)), qMin<qint64>(step, burst.size() - at));
                QTest::qWait(60); // the recorder's pause
            }
            QVERIFY(waitUntil([&] { return blocks.size() == bursts.size(); }));
            disconnect(c);
            for (int i = 0; i < bursts.size(); ++i) {
                QVERIFY(bursts[i].startsWith(blocks[i]));
                QCOMPARE(blocks[i].size() >= 80, bursts[i].size() >= 80);
            }
            QCOMPARE(blocks[3], bursts[3]); // the short noise burst, as it stands
            QList<int> systolic;
            for (const QByteArray& block : blocks) {
                const ScanResult scan = ScanBlock(block);
                if (scan.found)
                    systolic.append(DecodeFrame(block, scan.offset, FrameLayout::Split).a);
            }
            QCOMPARE(systolic, QList<int>({121, 122, 123, 125, 126}));
            link.stop();
        }
    }

private:
    QTemporaryDir m_config;
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
