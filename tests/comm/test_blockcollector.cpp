#include "comm/BlockCollector.h"
#include "comm/FrameProtocol.h"
#include "tests/comm/StampedLine.h"

#include <QtTest>

namespace {

QByteArray bytes(int n, char first = 1)
{
    QByteArray b(n, '\0');
    for (int i = 0; i < n; ++i)
        b[i] = char(first + i);
    return b;
}

// What a run was told, in order: "S1", "S2", "S3", "B<size>", "T<samples>".
struct Journal : QObject {
    explicit Journal(BlockCollector& c)
    {
        connect(&c, &BlockCollector::stageReached, this,
                [this](quint64 run, int stage) { log(run, QStringLiteral("S%1").arg(stage)); });
        connect(&c, &BlockCollector::blockReady, this, [this](quint64 run, const QByteArray& b) {
            blocks.append(b);
            log(run, QStringLiteral("B%1").arg(b.size()));
        });
        connect(&c, &BlockCollector::samplesArrived, this, [this](quint64 run, const QByteArray& b) {
            streamed.append(b);
            log(run, QStringLiteral("T%1").arg(b.size()));
        });
    }
    void log(quint64 run, const QString& what)
    {
        events.append(what);
        runs.append(run);
    }
    QStringList events;
    QList<quint64> runs;
    QList<QByteArray> blocks;
    QByteArray streamed;
};

// Plays the line into a collector the way the reading run uses it: each
// block scanned, then the next awaited. Returns the tags of the frames
// found, in order.
QList<int> readingsOf(const StampedLine& line, int baud, QList<QByteArray>* blocks = nullptr)
{
    BlockCollector c;
    c.setLineRate(baud / 10);
    QList<int> tags;
    QObject receiver;
    QObject::connect(&c, &BlockCollector::blockReady, &receiver, [&](quint64, const QByteArray& block) {
        if (blocks)
            blocks->append(block);
        const ScanResult scan = ScanBlock(block);
        if (scan.found)
            tags.append(tagOf(block, scan.offset));
        c.waitForBlock();
    });
    c.startRun();
    c.waitForBlock();
    for (const StampedPiece& piece : line.pieces) {
        c.feed(piece.bytes, piece.stamp);
        QCoreApplication::sendPostedEvents();
    }
    c.lineQuietUntil(line.pieces.last().stamp + 1000);
    QCoreApplication::sendPostedEvents();
    return tags;
}

QList<int> upTo(int n)
{
    QList<int> tags;
    for (int i = 1; i <= n; ++i)
        tags.append(i);
    return tags;
}

} // namespace

class TestBlockCollector : public QObject {
    Q_OBJECT
private slots:
    // What a recorder may send: the frame anywhere in 0..60, bursts of 80
    // to 400 bytes, 25 ms to 1 s apart, read in pieces of 1 to 64 bytes.
    void everyBurstGivesExactlyItsFrameWhateverItsShape()
    {
        for (quint32 seed = 1; seed <= 40; ++seed) {
            StampedLine line(9600, seed);
            QRandomGenerator& r = line.random;
            for (int tag = 1; tag <= 30; ++tag) {
                const int length = 80 + int(r.bounded(321));
                const int offset = int(r.bounded(61));
                const double silence = 25 + r.bounded(976);
                line.send(frameBurst(r, tag, length, offset), silence, 1, 64, 0.5);
            }
            QCOMPARE(readingsOf(line, 9600), upTo(30));
        }
    }

    void slowLinesScaleTheSilenceWithTheByteTime()
    {
        for (const int baud : {1200, 600, 300}) {
            BlockCollector c;
            c.setLineRate(baud / 10);
            QCOMPARE(c.silenceMs(), qMax(20, int(std::ceil(3 * 10000.0 / baud))));
            StampedLine line(baud, quint32(baud));
            QRandomGenerator& r = line.random;
            const double byteTimes3 = 3 * line.byteMs;
            for (int tag = 1; tag <= 12; ++tag) {
                // Bytes come one by one, a byte time apart, or a few at once.
                line.send(frameBurst(r, tag, 80 + int(r.bounded(40)), int(r.bounded(61))),
                          qMax(25.0, byteTimes3) + 1 + r.bounded(1000), 1, 4);
            }
            QCOMPARE(readingsOf(line, baud), upTo(12));
        }
    }

    void aSecondFrameInTheSameBurstIsIgnored()
    {
        StampedLine line(9600);
        QRandomGenerator& r = line.random;
        QByteArray two = frameBurst(r, 1, 200, 7);
        two.replace(27, 10, frameBurst(r, 99, 10, 0)); // 20 bytes on, within the block
        two.replace(120, 10, frameBurst(r, 98, 10, 0)); // beyond the block
        line.send(two, 0);
        line.send(frameBurst(r, 2, 96, 0), 30);
        QCOMPARE(readingsOf(line, 9600), QList<int>({1, 2}));
    }

    void aFrameAtOffsetSixtyOneIsNeverFound()
    {
        StampedLine line(9600);
        QRandomGenerator& r = line.random;
        QByteArray late(140, '\0');
        late.replace(61, 10, frameBurst(r, 77, 10, 0));
        line.send(late, 0);
        line.send(frameBurst(r, 1, 96, 60), 25);
        line.send(late, 25);
        line.send(frameBurst(r, 2, 96, 0), 25);
        QCOMPARE(readingsOf(line, 9600), QList<int>({1, 2}));
    }

    // A burst that ends before its 80th byte is a block as it stands; it
    // never merges into the burst after it.
    void aShortBurstIsScannedAsItStands()
    {
        StampedLine line(9600, 7);
        QRandomGenerator& r = line.random;
        QList<int> lengths;
        for (int tag = 1; tag <= 20; ++tag) {
            const int length = tag % 2 ? 10 + int(r.bounded(70)) : 80 + int(r.bounded(100));
            lengths.append(length);
            line.send(frameBurst(r, tag, length, int(r.bounded(qMin(61, length - 9)))), 25 + r.bounded(100));
        }
        QList<QByteArray> blocks;
        QCOMPARE(readingsOf(line, 9600, &blocks), upTo(20));
        QCOMPARE(blocks.size(), 20);
        for (int i = 0; i < 20; ++i) {
            if (lengths[i] < 80)
                QCOMPARE(blocks[i].size(), lengths[i]);
            else
                QVERIFY(blocks[i].size() >= 80 && blocks[i].size() <= lengths[i]);
        }
    }

    // 25 ms apart at 9600 baud are two bursts; bytes that a USB adapter
    // hands on 16 ms apart are one.
    void theSilenceRuleAtItsBoundaries()
    {
        StampedLine apart(9600);
        apart.send(frameBurst(apart.random, 1, 96, 3), 0);
        apart.send(frameBurst(apart.random, 2, 96, 3), 25);
        QCOMPARE(readingsOf(apart, 9600), QList<int>({1, 2}));

        StampedLine packets(9600);
        QByteArray burst = frameBurst(packets.random, 1, 300, 3);
        burst.replace(150, 10, frameBurst(packets.random, 2, 10, 0));
        QByteArray next = frameBurst(packets.random, 3, 96, 3);
        qint64 at = 1000;
        for (int i = 0; i < burst.size(); i += 4) {
            at += 16;
            packets.pieces.append({burst.mid(i, 4), at});
        }
        packets.pieces.append({next, at + 19 + 100}); // 96 bytes take 100 ms
        // The last burst follows 19 ms after: no silence, so it is the
        // first burst's rest; 20 ms after, it is a burst of its own.
        QCOMPARE(readingsOf(packets, 9600), QList<int>({1}));
        packets.pieces.last().stamp += 1;
        QCOMPARE(readingsOf(packets, 9600), QList<int>({1, 3}));
    }

    void stagesComeAtTheTwentiethFortiethAndSixtiethByte()
    {
        BlockCollector c;
        c.setLineRate(960);
        Journal j(c);
        c.startRun();
        c.waitForBlock();
        const QByteArray all = bytes(100);
        QStringList whenSeen;
        for (int i = 0; i < all.size(); ++i) {
            const int before = int(j.events.size());
            c.feed(all.mid(i, 1), 1000 + i);
            for (int k = before; k < j.events.size(); ++k)
                whenSeen.append(QStringLiteral("%1@%2").arg(j.events[k]).arg(i + 1));
        }
        QCOMPARE(whenSeen, QStringList({"S1@20", "S2@40", "S3@60", "B80@80"}));
        QCOMPARE(j.blocks, QList<QByteArray>({all.left(80)}));
    }

    // Bursts that came while nobody waited wait in order, each its own block.
    void burstsThatCameBeforeTheWaitAreBlocksOfTheirOwn()
    {
        BlockCollector c;
        c.setLineRate(960);
        Journal j(c);
        c.startRun();
        c.feed(bytes(30, 'a'), 1000);
        c.feed(bytes(90, 'b'), 1200);
        c.feed(bytes(5, 'c'), 1400);
        c.lineQuietUntil(1419);
        QCOMPARE(c.burstEndsAt(), qint64(1420));
        c.lineQuietUntil(1420);
        QCOMPARE(c.burstEndsAt(), qint64(-1));
        QCOMPARE(c.waitingCount(), 125);
        QObject rearm;
        connect(&c, &BlockCollector::blockReady, &rearm, [&] { c.waitForBlock(); });
        c.waitForBlock();
        // Not from inside waitForBlock(): the caller may be a receiver.
        QVERIFY(j.events.isEmpty());
        QTRY_COMPARE(j.blocks, QList<QByteArray>({bytes(30, 'a'), bytes(90, 'b'), bytes(5, 'c')}));
        QCOMPARE(j.events, QStringList({"S1", "B30", "S1", "S2", "S3", "B90", "B5"}));
    }

    void discardedBytesNeverReachABlock()
    {
        BlockCollector c;
        Journal j(c);
        c.startRun();
        c.feed(bytes(50, 'x'), 1000);
        c.discardWaiting();
        c.waitForBlock();
        c.feed(bytes(80, 'a'), 1500);
        QCOMPARE(j.blocks, QList<QByteArray>({bytes(80, 'a')}));
    }

    void stoppedRunNeverActsAgain()
    {
        BlockCollector c;
        Journal j(c);
        c.startRun();
        c.waitForBlock();
        c.feed(bytes(30), 1000);
        QCOMPARE(j.events, QStringList({"S1"}));
        c.stop();
        c.feed(bytes(100), 1001);
        c.waitForBlock(); // no run: nothing is armed
        c.streamSamples();
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
        c.feed(bytes(96), 1000);
        QCOMPARE(j.events, QStringList({"S1"}));
        c.feed(bytes(96), 1500);
        QCOMPARE(j.events, QStringList({"S1", "S1", "S2", "S3", "B96"}));
        QCOMPARE(j.runs, QList<quint64>({first, second, second, second, second}));
    }

    void stopWhileAReportIsQueuedCancelsIt()
    {
        BlockCollector c;
        Journal j(c);
        c.startRun();
        c.feed(bytes(90), 1000);
        c.waitForBlock();
        c.stop();
        c.startRun(); // even a newer run must not get the old wait's block
        QTest::qWait(10);
        QVERIFY(j.events.isEmpty());
    }

    // After a header block every byte is a sample: the rest of the header's
    // burst, samples close together or far apart, pieces larger than the
    // receive buffer; none is dropped, none comes twice.
    void aSampleStreamPassesOnEveryByteInOrder()
    {
        for (quint32 seed = 1; seed <= 10; ++seed) {
            StampedLine line(9600, seed);
            QRandomGenerator& r = line.random;
            line.send(frameBurst(r, 1, 80 + int(r.bounded(40)), int(r.bounded(61))), 0, 1, 64);
            QByteArray samples;
            for (int i = 0; i < 300; ++i) {
                const QByteArray s = bytes(1 + int(r.bounded(3)), char(r.bounded(256)));
                samples += s;
                line.send(s, r.bounded(10) == 0 ? 30 + r.bounded(1000) : 7.8, 1, 3);
            }
            const QByteArray big = bytes(3000, 5);
            line.pieces.append({big, qint64(line.lineAt + 3000)});

            BlockCollector c;
            c.setLineRate(960);
            Journal j(c);
            QByteArray header;
            QObject receiver;
            connect(&c, &BlockCollector::blockReady, &receiver, [&](quint64, const QByteArray& b) {
                header = b;
                c.streamSamples();
            });
            c.startRun();
            c.waitForBlock();
            QByteArray all;
            for (const StampedPiece& piece : line.pieces) {
                all += piece.bytes;
                c.feed(piece.bytes, piece.stamp);
                QCoreApplication::sendPostedEvents();
            }
            QVERIFY(header.size() >= 80);
            QCOMPARE(header + j.streamed, all);
            QVERIFY(j.streamed.endsWith(samples + big));
        }
    }

    void aWaitingStreamIsDeliveredOnceAndInOrder()
    {
        BlockCollector c;
        Journal j(c);
        c.startRun();
        c.feed(bytes(7, 10), 1000); // waits: no stream armed
        c.streamSamples();
        QVERIFY(j.events.isEmpty()); // the waiting bytes come from the event loop
        c.feed(bytes(2, 17), 1001);
        QCOMPARE(j.streamed, bytes(9, 10));
        QTest::qWait(5); // the queued delivery finds nothing left over
        QCOMPARE(j.streamed, bytes(9, 10));
        c.stop();
        c.feed(bytes(4), 1002);
        QTest::qWait(5);
        QCOMPARE(j.streamed, bytes(9, 10));
    }

    void receiveBufferHoldsAtMostItsSize()
    {
        BlockCollector c;
        Journal j(c);
        c.startRun();
        c.feed(QByteArray(1000, 'a'), 1000);
        c.feed(QByteArray(100, 'b'), 1001);
        QCOMPARE(c.waitingCount(), BlockCollector::kReceiveBufferSize);
        c.waitForBlock();
        QTRY_COMPARE(j.blocks.size(), 1);
        QCOMPARE(j.blocks.first(), QByteArray(1000, 'a') + QByteArray(24, 'b'));
    }
};

QTEST_GUILESS_MAIN(TestBlockCollector)
#include "test_blockcollector.moc"
