// The recorder simulator: what it sends, read back through a serial port
// and our own frame scan, is exactly what it was given.
#include "text/Edition.h"
#include "PtyWait.h"
#include "comm/FrameProtocol.h"
#include "comm/RecorderLink.h"
#include "platform/SerialLine.h"
#include "platform/SteadyClock.h"
#include "platform/SerialSettings.h"
#include "platform/SettingsStore.h"
#include "tools/recorder/BpBurstPlan.h"
#include "tools/recorder/BpRecording.h"
#include "tools/recorder/EcgSynthesizer.h"

#include <QElapsedTimer>
#include <QFileInfo>
#include <QSignalSpy>
#include <QProcess>
#include <QtTest>

namespace {

constexpr int kPort = 4;

QList<BpReading> readingsIn(const QList<QByteArray>& bursts)
{
    QList<BpReading> found;
    for (const QByteArray& burst : bursts) {
        const ScanResult scan = ScanBlock(burst);
        if (scan.found)
            found.append(BpReading::fromFields(DecodeFrame(burst, scan.offset, FrameLayout::Split)));
    }
    return found;
}

QList<QByteArray> cut(const QByteArray& stream, int size)
{
    QList<QByteArray> parts;
    for (int at = 0; at < stream.size(); at += size)
        parts.append(stream.mid(at, size));
    return parts;
}

} // namespace

class TestRecorderSimulator : public QObject {
    Q_OBJECT
private slots:
    void initTestCase()
    {
        QVERIFY(m_dir.isValid());
        Edition::select(EditionId::English); // the line's messages in the catalogue's words
        qputenv("XDG_CONFIG_HOME", m_dir.path().toUtf8());
        m_program = qEnvironmentVariable("KORVANE_BUILD_DIR") + QStringLiteral("/tools/korvane-recorder");
        QVERIFY2(QFile::exists(m_program), qPrintable(m_program));
    }

    void generatedRecordingComesBackExactly()
    {
        const QDateTime start(QDate(2024, 3, 7), QTime(21, 30));
        const QList<BpReading> given = generateDayRecording(start, 4).mid(0, 12);
        const QByteArray stream = capture({"--count", "12", "--seed", "4", "--start",
                                           "2024-03-07 21:30", "--gap", "15"},
                                          12 * 96);
        QCOMPARE(stream.size(), 12 * 96);
        QCOMPARE(readingsIn(cut(stream, 96)), given);
        // The recording runs into the night and over midnight.
        QCOMPARE(int(given.last().day), 8);
    }

    void csvReadingsComeBackExactlyEvenWhenOdd()
    {
        const QString csv = m_dir.filePath(QStringLiteral("readings.csv"));
        QFile file(csv);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("month,day,hour,minute,sys,dia,pulse\n"
                   "3,7,14,5,120,80,72\n"
                   "# a comment\n"
                   "12,31,23,59,255,255,255\n"
                   "13,0,24,60,0,0,0\n"
                   "1,1,0,0,72,72,72\n");
        file.close();
        const QByteArray stream = capture({"--csv", csv, "--gap", "5", "--burst-length", "90",
                                           "--offset", "40", "--end-marker"},
                                          4 * 90);
        const QList<BpReading> expected = {
            {120, 80, 72, 3, 7, 14, 5}, {255, 255, 255, 12, 31, 23, 59},
            {0, 0, 0, 13, 0, 24, 60}, {72, 72, 72, 1, 1, 0, 0}};
        const QList<QByteArray> bursts = cut(stream, 90);
        QCOMPARE(readingsIn(bursts), expected);
        for (int i = 0; i < 3; ++i)
            QCOMPARE(ScanBlock(bursts[i]), (ScanResult{true, 40, false}));
        QCOMPARE(ScanBlock(bursts[3]), (ScanResult{true, 40, true}));
    }

    void faultyBurstsAreNotRead()
    {
        const QDateTime start(QDate(2024, 5, 1), QTime(9, 0));
        const QList<BpReading> given = generateDayRecording(start, 9).mid(0, 6);
        const QByteArray stream = capture({"--count", "6", "--seed", "9", "--start", "2024-05-01 09:00",
                                           "--gap", "5", "--bad-checksum", "2", "--wrong-marker", "3",
                                           "--two-frames", "4", "--offset61", "5"},
                                          6 * 96);
        const QList<QByteArray> bursts = cut(stream, 96);
        QCOMPARE(bursts.size(), 6);
        QCOMPARE(readingsIn(bursts), QList<BpReading>({given[0], given[3], given[5]}));
        // The second frame of burst 4 is there, but only the first counts.
        const int first = ScanBlock(bursts[3]).offset;
        QVERIFY(frameStartsAt(bursts[3], first + 20));
        QCOMPARE(BpReading::fromFields(DecodeFrame(bursts[3], first + 20, FrameLayout::Split)), given[4]);
        // The frame of burst 5 is whole, only too late in the burst.
        QVERIFY(frameStartsAt(bursts[4], 61));
    }

    void ecgStripIsAHeaderThenPacedSamples()
    {
        QElapsedTimer clock;
        QList<qint64> arrivals;
        const QByteArray stream = capture({"--ecg", "--layout", "whole", "--header", "8,200,72,3,7,14,5",
                                           "--seconds", "1", "--heart-rate", "90"},
                                          96 + 128, &clock, &arrivals);
        QCOMPARE(stream.size(), 96 + 128);
        const QByteArray header = stream.left(96);
        const ScanResult scan = ScanBlock(header);
        QVERIFY(scan.found);
        QCOMPARE(DecodeFrame(header, scan.offset, FrameLayout::WholeByte),
                 (FrameFields{8, 200, 72, 3, 7, 14, 5}));
        // 128 samples take a second: they are paced, not dumped.
        QVERIFY2(arrivals.last() - arrivals.first() >= 800,
                 qPrintable(QString::number(arrivals.last() - arrivals.first())));
    }

    // The way the blood-pressure window reads: discard what waits, then a
    // block, scan and decode, wait for the next block. Noise between bursts
    // costs no reading.
    void readingWindowPatternGetsEveryReading_data()
    {
        QTest::addColumn<QString>("baud");
        QTest::addColumn<QString>("noise");
        QTest::newRow("bursts at once, noise") << QStringLiteral("0") << QStringLiteral("4");
        // Paced: the tail of each burst comes after its block was taken and
        // counts towards the next block.
        QTest::newRow("9600 baud, noise") << QStringLiteral("9600") << QStringLiteral("4");
    }

    void readingWindowPatternGetsEveryReading()
    {
        QFETCH(QString, baud);
        QFETCH(QString, noise);
        const QString link = m_dir.filePath(QStringLiteral("recorder-window-%1").arg(baud));
        QProcess simulator;
        simulator.start(m_program, {"--count", "6", "--seed", "6", "--start", "2024-07-01 12:00",
                                    "--gap", "100", "--noise", noise, "--link", link, "--delay", "50",
                                    "--linger", "100", "--baud", baud});
        QVERIFY(simulator.waitForStarted());
        QVERIFY(waitUntil([&] { return QFileInfo(link).exists(); }));
        writeSetting(kAppTitle, kPortsSection, QStringLiteral("COM%1").arg(kPort), link);

        RecorderLink reader;
        reader.port().setPortNumber(kPort);
        QVERIFY2(reader.OpenPort(true), qPrintable(reader.errorString()));
        const quint64 run = reader.startRun();
        QList<BpReading> received;
        int stages = 0;
        QElapsedTimer clock;
        clock.start();
        qint64 stageOneAt = 0;
        qint64 longestFill = 0; // from stage 1 to the block
        connect(&reader, &RecorderLink::stageReached, this, [&](quint64, int stage) {
            ++stages;
            if (stage == 1)
                stageOneAt = clock.elapsed();
        });
        connect(&reader, &RecorderLink::blockReady, this, [&](quint64 r, const QByteArray& block) {
            QCOMPARE(r, run);
            longestFill = qMax(longestFill, clock.elapsed() - stageOneAt);
            const ScanResult scan = ScanBlock(block);
            if (scan.found)
                received.append(BpReading::fromFields(DecodeFrame(block, scan.offset, FrameLayout::Split)));
            reader.WaitForBlock();
        });
        QSignalSpy failed(&reader, &RecorderLink::lineFailed);
        reader.DiscardWaiting();
        reader.WaitForBlock();
        // The simulator hangs up when done: the line is reported lost.
        QVERIFY(waitUntil([&] { return failed.count() > 0; }, 10000));
        QCOMPARE(received, generateDayRecording(QDateTime(QDate(2024, 7, 1), QTime(12, 0)), 6).mid(0, 6));
        QVERIFY(stages >= 3 * 6);
        if (baud != QLatin1String("0")) // 60 more bytes at 960 a second
            QVERIFY2(longestFill >= 50, qPrintable(QString::number(longestFill)));
        simulator.waitForFinished(3000);
    }

    void badCommandLineIsRefused()
    {
        for (const QStringList& args : {QStringList{"--layout", "diagonal"}, QStringList{"--gap", "x"},
                                        QStringList{"--bad-checksum", "0"}, QStringList{"--register-port", "COM9"},
                                        QStringList{"--csv", m_dir.filePath("missing.csv"), "--output",
                                                    m_dir.filePath("out.bin")}}) {
            QProcess p;
            p.start(m_program, args);
            QVERIFY(p.waitForFinished(5000));
            QVERIFY2(p.exitCode() != 0, qPrintable(args.join(' ')));
            QVERIFY(p.readAllStandardError().startsWith("korvane-recorder: "));
        }
    }

    // The simulator's core, without a line.

    void cleanBurstsScanToTheirFrameAtEveryOffset()
    {
        const QList<BpReading> day = generateDayRecording(QDateTime(QDate(2024, 1, 1), QTime(0, 0)), 3);
        QVERIFY(day.size() > 60);
        for (int offset = 0; offset <= 60; ++offset) {
            for (const BpReading& r : day) {
                const QByteArray burst = buildBurst(r, BurstShape{96, offset, false});
                const ScanResult scan = ScanBlock(burst);
                QCOMPARE(scan.offset, offset);
                QCOMPARE(BpReading::fromFields(DecodeFrame(burst, offset, FrameLayout::Split)), r);
            }
        }
    }

    void noiseBurstsCarryNoReading()
    {
        BpBurstPlan plan;
        plan.noiseBursts = 25;
        plan.noiseLength = 80;
        plan.seed = 17;
        const QList<BpReading> given = generateDayRecording(QDateTime(QDate(2024, 6, 1), QTime(8, 0)), 2);
        const QList<QByteArray> bursts = plan.build(given);
        QCOMPARE(bursts.size(), given.size() + 25);
        QCOMPARE(readingsIn(bursts), given);
    }

    void generatedDayIsPlausible()
    {
        const QList<BpReading> day = generateDayRecording(QDateTime(QDate(2024, 2, 28), QTime(8, 0)), 1);
        double daySys = 0, nightSys = 0;
        int days = 0, nights = 0;
        QDateTime previous;
        for (const BpReading& r : day) {
            QVERIFY(r.systolic > r.diastolic + 20);
            QVERIFY(r.systolic >= 60 && r.diastolic >= 30 && r.pulse >= 35);
            const QDateTime at(QDate(2024, r.month, r.day), QTime(r.hour, r.minute));
            QVERIFY(at.isValid());
            if (previous.isValid()) {
                const qint64 minutes = previous.secsTo(at) / 60;
                QVERIFY2(minutes == 15 || minutes == 30, qPrintable(at.toString()));
            }
            previous = at;
            (r.hour >= 7 && r.hour < 22 ? daySys : nightSys) += r.systolic;
            (r.hour >= 7 && r.hour < 22 ? days : nights) += 1;
        }
        QCOMPARE(day.first().day, quint8(28));
        QCOMPARE(day.last().month, quint8(2)); // 2024 is a leap year
        QCOMPARE(day.last().day, quint8(29));
        QVERIFY(day.size() >= 70 && day.size() <= 100);
        QVERIFY(daySys / days > nightSys / nights + 8);
    }

    void synthesisedEcgBeatsAtTheChosenRate()
    {
        for (int rate : {50, 72, 120}) {
            EcgSynthesizer ecg(rate, 5);
            int peaks = 0;
            int sinceLast = 1000;
            const int threshold = int(EcgSynthesizer::kDefaultBaseline + 0.7 * EcgSynthesizer::kUnitsPerMillivolt);
            for (int i = 0; i < 60 * EcgSynthesizer::kSamplesPerSecond; ++i) {
                const quint8 s = ecg.nextSample();
                if (s > threshold && sinceLast > 20) {
                    ++peaks;
                    sinceLast = 0;
                }
                ++sinceLast;
            }
            QVERIFY2(qAbs(peaks - rate) <= 2, qPrintable(QStringLiteral("%1: %2").arg(rate).arg(peaks)));
        }
    }

    void csvErrorsNameTheLine()
    {
        QString error;
        QVERIFY(parseReadingsCsv("3,7,14,5,120,80,72\n3,7,14,5,120,80\n", &error).isEmpty());
        QVERIFY2(error.startsWith(QStringLiteral("line 2")), qPrintable(error));
        QVERIFY(parseReadingsCsv("3,7,14,5,120,80,256\n", &error).isEmpty());
        QVERIFY(error.startsWith(QStringLiteral("line 1")));
        QCOMPARE(parseReadingsCsv("a,b\n\n1,2,3,4,5,6,7\n", &error).size(), 1);
    }

private:
    // Runs the simulator on a pseudo-terminal, opens its link as port COM4
    // through our serial layer, and collects `expected` bytes.
    QByteArray capture(QStringList args, int expected, QElapsedTimer* clock = nullptr,
                       QList<qint64>* arrivals = nullptr)
    {
        const QString link = m_dir.filePath(QStringLiteral("recorder-%1").arg(++m_runs));
        args << "--link" << link << "--delay" << "50" << "--linger" << "300";
        QProcess simulator;
        simulator.start(m_program, args);
        if (!simulator.waitForStarted())
            return {};
        QByteArray said;
        if (!waitUntil([&] {
                said += simulator.readAllStandardOutput();
                return said.contains("link ");
            }))
            return {};
        writeSetting(kAppTitle, kPortsSection, QStringLiteral("COM%1").arg(kPort), link);
        SerialLine line;
        line.setPortNumber(kPort);
        if (!line.open()) {
            qWarning() << line.errorString();
            return {};
        }
        QByteArray stream;
        QElapsedTimer local;
        local.start();
        const qint64 openedAt = steadyMs() - local.elapsed();
        connect(&line, &SerialLine::bytesArrived, this, [&](const QByteArray& bytes, qint64 stamp) {
            stream += bytes;
            if (arrivals)
                arrivals->append(QList<qint64>(bytes.size(), stamp - openedAt));
        });
        waitUntil([&] { return stream.size() >= expected; }, 10000);
        // Nothing more than expected comes.
        waitUntil([&] { return simulator.state() == QProcess::NotRunning; }, 3000);
        simulator.kill();
        simulator.waitForFinished();
        if (clock)
            *clock = local;
        return stream;
    }

    QTemporaryDir m_dir;
    QString m_program;
    int m_runs = 0;
};

QTEST_GUILESS_MAIN(TestRecorderSimulator)
#include "test_recordersimulator.moc"
