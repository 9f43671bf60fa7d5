// The ECG reading run on the real serial layer, a pseudo-terminal standing
// in for the recorder: the header frame in either layout, every sample in
// order however the bytes come, and a new run taking over.
#include "PtyWait.h"
#include "comm/EcgReadingRun.h"
#include "platform/SerialSettings.h"
#include "platform/SettingsStore.h"
#include "tools/recorder/BurstBuilder.h"
#include "tools/recorder/PtyEndpoint.h"

#include <QRandomGenerator>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

Q_DECLARE_METATYPE(FrameLayout)

namespace {

constexpr int kPort = 2;

// The header of the strip that the tests send: QRS 8, ST 5, pulse 72, 7 March, 14:05.
const EcgHeader kHeader{8, 5, 72, 3, 7, 14, 5};

struct Received {
    explicit Received(EcgReadingRun& run)
    {
        QObject::connect(&run, &EcgReadingRun::headerReceived, &run,
                         [this](const WaveHeader& h) { headers.append(h); });
        QObject::connect(&run, &EcgReadingRun::sampleReceived, &run,
                         [this](quint8 s) { samples.append(char(s)); });
    }
    QList<WaveHeader> headers;
    QByteArray samples;
};

} // namespace

class TestEcgReadingRun : public QObject {
    Q_OBJECT
private slots:
    void initTestCase()
    {
        QVERIFY(m_config.isValid());
        qputenv("XDG_CONFIG_HOME", m_config.path().toUtf8());
    }

    void init()
    {
        m_pty = std::make_unique<PtyEndpoint>();
        QVERIFY(m_pty->open());
        QVERIFY(writeSetting(kAppTitle, kPortsSection, QStringLiteral("COM%1").arg(kPort), m_pty->devicePath()));
    }

    void cleanup() { m_pty.reset(); }

    void stLevelsAboveTheFoldAreTakenFrom255()
    {
        const auto st = [](quint8 b) { return WaveHeader::fromFields(FrameFields{8, b, 72, 3, 7, 14, 5}).st; };
        QCOMPARE(st(200), quint8(55));
        QCOMPARE(st(129), quint8(126));
        QCOMPARE(st(128), quint8(128));
        QCOMPARE(st(255), quint8(0));
        QCOMPARE(st(5), quint8(5));
    }

    // The split frame of the header read in either layout, then a strip
    // sent in pieces of 1 to 200 bytes: every sample comes, in order, and
    // the detector has taken each one.
    void theHeaderInEitherLayoutThenEverySampleInOrder_data()
    {
        QTest::addColumn<FrameLayout>("layout");
        QTest::addColumn<WaveHeader>("expected");
        QTest::newRow("split") << FrameLayout::Split << WaveHeader{8, 5, 72, 3, 7, 14, 5};
        // The same bytes taken whole: b1 0x05, b2 0x07, b4 0x4E, b8 0x08, b3 0x08, b5 0x05, b7 0x03.
        QTest::newRow("whole bytes") << FrameLayout::WholeByte << WaveHeader{5, 7, 78, 8, 8, 5, 3};
    }
    void theHeaderInEitherLayoutThenEverySampleInOrder()
    {
        QFETCH(FrameLayout, layout);
        QFETCH(WaveHeader, expected);
        EcgReadingRun run;
        run.port().setPortNumber(kPort);
        run.setHeaderLayout(layout);
        Received got(run);
        QSignalSpy sampling(&run, &EcgReadingRun::samplingStarted);
        QVERIFY(run.start());
        QVERIFY(!run.isSampling());
        QCOMPARE(m_pty->write(buildHeaderBurst(kHeader, FrameLayout::Split, BurstShape{})), 96);
        QVERIFY(waitUntil([&] { return run.isSampling(); }));
        QCOMPARE(got.headers, QList<WaveHeader>{expected});
        QCOMPARE(sampling.count(), 1);
        QVERIFY(run.isIdleTimerActive());

        QByteArray strip(5000, '\0');
        QRandomGenerator random(7);
        for (char& b : strip)
            b = char(random.bounded(256));
        for (qsizetype at = 0; at < strip.size();) {
            const qsizetype piece = qMin<qsizetype>(random.bounded(1, 201), strip.size() - at);
            QCOMPARE(m_pty->write(strip.mid(at, piece)), piece);
            at += piece;
            QVERIFY(waitUntil([&] { return got.samples.size() >= at - 2000; }));
        }
        QVERIFY(waitUntil([&] { return got.samples.size() >= strip.size(); }));
        QCOMPARE(got.samples, strip);
        QCOMPARE(run.sampleCount(), qint64(strip.size()));
        QCOMPARE(run.detector().n(), double(strip.size()));
        QCOMPARE(run.detector().sample(), quint8(strip.back()));
        run.stop();
        QVERIFY(waitUntil([&] { return !m_pty->peerIsOpen(); }));
    }

    // Started again while it waits for the header, the first run is over:
    // the header and the samples come once, to the new run.
    void aNewStartTakesOverFromAWaitingRun()
    {
        EcgReadingRun run;
        run.port().setPortNumber(kPort);
        run.setRestartPort(false);
        Received got(run);
        QSignalSpy sampling(&run, &EcgReadingRun::samplingStarted);
        QVERIFY(run.start());
        const quint64 first = run.currentRun();
        QCOMPARE(m_pty->write(QByteArray(50, '\x20')), 50);
        QTest::qWait(20);
        QVERIFY(run.start());
        QVERIFY(run.currentRun() > first);
        QCOMPARE(m_pty->write(buildHeaderBurst(kHeader, FrameLayout::Split, BurstShape{})), 96);
        QVERIFY(waitUntil([&] { return run.isSampling(); }));
        QCOMPARE(m_pty->write(QByteArray("\x01\x02\x03", 3)), 3);
        QVERIFY(waitUntil([&] { return got.samples.size() == 3; }));
        QTest::qWait(20);
        QCOMPARE(got.headers.size(), 1);
        QCOMPARE(sampling.count(), 1);
        QCOMPARE(got.samples, QByteArray("\x01\x02\x03", 3));

        // Stopped, it takes nothing more, and its port is closed.
        run.stop();
        QVERIFY(!run.link().isPortOpen());
        QVERIFY(!run.isIdleTimerActive());
        m_pty->write(QByteArray("\x04", 1));
        QTest::qWait(20);
        QCOMPARE(got.samples.size(), 3);
    }

private:
    QTemporaryDir m_config;
    std::unique_ptr<PtyEndpoint> m_pty;
};

QTEST_GUILESS_MAIN(TestEcgReadingRun)
#include "test_ecgreadingrun.moc"
