#include "comm/BlockCollector.h"

#include <QSignalSpy>
#include <QtTest>

namespace {

QByteArray bytes(int n, char first = 1)
{
    QByteArray b(n, '\0');
    for (int i = 0; i < n; ++i)
        b[i] = char(first + i);
    return b;
}

// What a run was told, in order: "S1", "S2", "S3", "B<size>", "P<sample>".
struct Journal : QObject {
    explicit Journal(BlockCollector& c)
    {
        connect(&c, &BlockCollector::stageReached, this,
                [this](quint64 run, int stage) { log(run, QStringLiteral("S%1").arg(stage)); });
        connect(&c, &BlockCollector::blockReady, this, [this](quint64 run, const QByteArray& b) {
            blocks.append(b);
            log(run, QStringLiteral("B%1").arg(b.size()));
        });
        connect(&c, &BlockCollector::sampleReady, this,
                [this](quint64 run, quint8 s) { log(run, QStringLiteral("P%1").arg(s)); });
    }
    void log(quint64 run, const QString& what)
    {
        events.append(what);
        runs.append(run);
    }
    QStringList events;
    QList<quint64> runs;
    QList<QByteArray> blocks;
};

} // namespace

class TestBlockCollector : public QObject {
    Q_OBJECT
private slots:
    void onePieceReachesEveryStageThenTheBlock()
    {
        BlockCollector c;
        Journal j(c);
        const quint64 run = c.startRun();
        c.waitForBlock();
        c.feed(bytes(96));
        QCOMPARE(j.events, QStringList({"S1", "S2", "S3", "B96"}));
        QCOMPARE(j.runs, QList<quint64>(4, run));
        QCOMPARE(j.blocks.first(), bytes(96));
        QCOMPARE(c.waitingCount(), 0);
    }

    void stagesComeAtTheTwentiethFortiethAndSixtiethByte()
    {
        BlockCollector c;
        Journal j(c);
        c.startRun();
        c.waitForBlock();
        const QByteArray all = bytes(100);
        QStringList whenSeen;
        for (int i = 0; i < all.size(); ++i) {
            const int before = int(j.events.size());
            c.feed(all.mid(i, 1));
            for (int k = before; k < j.events.size(); ++k)
                whenSeen.append(QStringLiteral("%1@%2").arg(j.events[k]).arg(i + 1));
        }
        QCOMPARE(whenSeen, QStringList({"S1@20", "S2@40", "S3@60", "B80@80"}));
        QCOMPARE(j.blocks.first(), all.left(80));
        // The rest waits for the next wait; one wait gives one block.
        QCOMPARE(c.waitingCount(), 20);
    }

    void blockHoldsEverythingWaitingWhenTheCountPassesSeventyNine()
    {
        BlockCollector c;
        Journal j(c);
        c.startRun();
        c.waitForBlock();
        c.feed(bytes(79));
        QCOMPARE(j.events, QStringList({"S1", "S2", "S3"}));
        c.feed(bytes(30, 100));
        QCOMPARE(j.events.last(), QString("B109"));
        QCOMPARE(j.blocks.first(), bytes(79) + bytes(30, 100));
    }

    void discardedBytesNeverReachABlock()
    {
        BlockCollector c;
        Journal j(c);
        c.startRun();
        c.feed(bytes(50, 'x'));         // arrived between blocks
        c.discardWaiting();
        c.waitForBlock();
        c.feed(bytes(80, 'a'));
        QCOMPARE(j.blocks, QList<QByteArray>({bytes(80, 'a')}));
    }

    void bytesWaitingBeforeTheWaitAreReportedFromTheEventLoop()
    {
        BlockCollector c;
        Journal j(c);
        c.startRun();
        c.feed(bytes(90));
        c.waitForBlock();
        // Not from inside waitForBlock(): the caller may be a receiver.
        QVERIFY(j.events.isEmpty());
        QTRY_COMPARE(j.events, QStringList({"S1", "S2", "S3", "B90"}));
    }

    void receiverMayReArmFromItsOwnSlot()
    {
        BlockCollector c;
        QStringList events;
        connect(&c, &BlockCollector::blockReady, this, [&](quint64, const QByteArray& b) {
            events.append(QStringLiteral("B%1").arg(b.size()));
            c.waitForBlock(); // no discard: the next bytes make the next block
        });
        c.startRun();
        c.waitForBlock();
        c.feed(bytes(80));
        c.feed(bytes(85));
        QCOMPARE(events, QStringList({"B80", "B85"}));
    }

    void stoppedRunNeverActsAgain()
    {
        BlockCollector c;
        Journal j(c);
        c.startRun();
        c.waitForBlock();
        c.feed(bytes(30));
        QCOMPARE(j.events, QStringList({"S1"}));
        c.stop();
        c.feed(bytes(100));
        c.waitForBlock(); // no run: nothing is armed
        c.waitForSample();
        QTest::qWait(10);
        QCOMPARE(j.events, QStringList({"S1"}));
        QVERIFY(!c.isRunning());
    }

    void newRunStartedInsideAStageEndsTheOldOne()
    {
        // Retry pressed while the old run reports stage 1: the old run gets
        // neither its later stages nor its block.
        BlockCollector c;
        Journal j(c);
        const quint64 first = c.startRun();
        quint64 second = 0;
        connect(&c, &BlockCollector::stageReached, this, [&](quint64 run, int stage) {
            if (run == first && stage == 1) {
                second = c.startRun();
                c.discardWaiting();
                c.waitForBlock();
            }
        });
        c.waitForBlock();
        c.feed(bytes(96));
        QCOMPARE(j.events, QStringList({"S1"}));
        c.feed(bytes(96));
        QCOMPARE(j.events, QStringList({"S1", "S1", "S2", "S3", "B96"}));
        QCOMPARE(j.runs, QList<quint64>({first, second, second, second, second}));
    }

    void stopWhileAReportIsQueuedCancelsIt()
    {
        BlockCollector c;
        Journal j(c);
        c.startRun();
        c.feed(bytes(90));
        c.waitForBlock();
        c.stop();
        c.startRun(); // even a newer run must not get the old wait's block
        QTest::qWait(10);
        QVERIFY(j.events.isEmpty());
    }

    void sampleIsTheFirstByteAndTheRestIsDropped()
    {
        BlockCollector c;
        Journal j(c);
        c.startRun();
        c.waitForSample();
        c.feed(QByteArray("\x07\x08\x09", 3));
        QCOMPARE(j.events, QStringList({"P7"}));
        QCOMPARE(c.waitingCount(), 0);
        c.feed(QByteArray("\x0A", 1)); // not waited for: it waits
        QCOMPARE(c.waitingCount(), 1);
        c.waitForSample();
        QTRY_COMPARE(j.events, QStringList({"P7", "P10"}));
        c.waitForSample();
        c.feed(QByteArray(1, char(255)));
        QCOMPARE(j.events.last(), QString("P255"));
    }

    void receiveBufferHoldsAtMostItsSize()
    {
        BlockCollector c;
        Journal j(c);
        c.startRun();
        c.feed(QByteArray(1000, 'a'));
        c.feed(QByteArray(100, 'b'));
        QCOMPARE(c.waitingCount(), BlockCollector::kReceiveBufferSize);
        c.waitForBlock();
        QTRY_COMPARE(j.blocks.size(), 1);
        QCOMPARE(j.blocks.first(), QByteArray(1000, 'a') + QByteArray(24, 'b'));
    }
};

QTEST_GUILESS_MAIN(TestBlockCollector)
#include "test_blockcollector.moc"
