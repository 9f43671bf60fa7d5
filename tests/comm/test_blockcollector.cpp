#include "comm/BlockCollector.h"
#include "comm/FrameProtocol.h"

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

// A recorder burst: zeros with a tag byte first and one valid frame (the
// tag in its byte 1) at `offset`; no earlier offset holds a frame.
QByteArray frameBurst(int tag, int length = 96, int offset = 5, bool validFrame = true)
{
    QByteArray b(length, '\0');
    b[0] = char(tag);
    b[offset + 1] = char(tag);
    b[offset + 6] = char(Frame::kMarker);
    const int sum = tag + Frame::kMarker + (validFrame ? 0 : 1);
    b[offset + 9] = char((256 - sum % 256) % 256);
    return b;
}

// A line at 9600 baud (a byte a millisecond here) carrying bursts, and a
// reader that reads what has come at the moments it is let run. Each block
// is handled like the reading window does: scanned, then the next awaited.
struct HeldUpReader {
    struct Arrival {
        qint64 at;
        char byte;
    };
    QList<Arrival> line;
    qint64 lineFree = 1000;
    void send(const QByteArray& burst, int pauseAfterMs)
    {
        for (char b : burst)
            line.append({lineFree++, b});
        lineFree += pauseAfterMs;
    }

    // Reads every 2 ms, except while `heldUp(now)` says the reader is busy.
    // Returns the tags of the frames found, in order.
    template<class HeldUp>
    QList<int> read(BlockCollector& c, HeldUp heldUp)
    {
        qint64 now = line.first().at;
        c.setClock([&now] { return now; });
        c.setLineRate(1000);
        QList<int> tags;
        QObject receiver;
        QObject::connect(&c, &BlockCollector::blockReady, &receiver, [&](quint64, const QByteArray& block) {
            const ScanResult scan = ScanBlock(block);
            if (scan.found)
                tags.append(quint8(block.at(scan.offset + 1)));
            c.waitForBlock();
        });
        c.startRun();
        c.waitForBlock();
        qsizetype next = 0;
        while (next < line.size()) {
            now += 2;
            if (heldUp(now))
                continue;
            QByteArray piece;
            while (next < line.size() && line[next].at <= now)
                piece.append(line[next++].byte);
            c.feed(piece);
            QCoreApplication::sendPostedEvents();
        }
        // Blocks left waiting behind a cut come from the event loop.
        for (qsizetype found = -1; found != tags.size();) {
            found = tags.size();
            QCoreApplication::sendPostedEvents();
        }
        return tags;
    }
};

QList<int> tagsUpTo(int n)
{
    QList<int> tags;
    for (int i = 1; i <= n; ++i)
        tags.append(i);
    return tags;
}

// A clock the test moves by hand, so that pauses between bursts are exact.
struct FakeClock {
    qint64 now = 1000;
    void attach(BlockCollector& c)
    {
        c.setClock([this] { return now; });
    }
};

// A block that trickles in: 80 bytes in four pieces 5 ms apart.
void feedBlockInPieces(BlockCollector& c, FakeClock& clock)
{
    for (int i = 0; i < 4; ++i) {
        c.feed(bytes(20));
        clock.now += 5;
    }
}

} // namespace

class TestBlockCollector : public QObject {
    Q_OBJECT
private slots:
    void onePieceReachesEveryStageThenTheBlock()
    {
        BlockCollector c;
        FakeClock clock;
        clock.attach(c);
        Journal j(c);
        const quint64 run = c.startRun();
        c.waitForBlock();
        c.feed(bytes(96));
        QCOMPARE(j.events, QStringList({"S1", "S2", "S3", "B96"}));
        QCOMPARE(j.runs, QList<quint64>(4, run));
        QCOMPARE(j.blocks.first(), bytes(96));
        QCOMPARE(c.waitingCount(), 0);
    }

    // Retry while the recorder is still sending: the new run's first bytes
    // are not taken for the tail of the old run's block.
    void aNewRunKeepsItsFirstBytesRightAfterABlockInPieces()
    {
        BlockCollector c;
        FakeClock clock;
        clock.attach(c);
        Journal j(c);
        c.startRun();
        c.waitForBlock();
        feedBlockInPieces(c, clock);
        QCOMPARE(j.blocks.size(), 1);
        c.startRun();
        c.discardWaiting();
        c.waitForBlock();
        clock.now += 5; // well inside the old block's tail time
        c.feed(bytes(30));
        QCOMPARE(c.waitingCount(), 30);
        QCOMPARE(c.tailBytesDropped(), qint64(0));
    }

    void stagesComeAtTheTwentiethFortiethAndSixtiethByte()
    {
        BlockCollector c;
        FakeClock clock;
        clock.attach(c);
        Journal j(c);
        c.startRun();
        c.waitForBlock();
        const QByteArray all = bytes(100);
        QStringList whenSeen;
        for (int i = 0; i < all.size(); ++i) {
            const int before = int(j.events.size());
            clock.now += 1;
            c.feed(all.mid(i, 1));
            for (int k = before; k < j.events.size(); ++k)
                whenSeen.append(QStringLiteral("%1@%2").arg(j.events[k]).arg(i + 1));
        }
        QCOMPARE(whenSeen, QStringList({"S1@20", "S2@40", "S3@60", "B80@80"}));
        QCOMPARE(j.blocks.first(), all.left(80));
        // One wait gives one block.
        QCOMPARE(j.blocks.size(), 1);
    }

    void restOfABurstIsNotPartOfTheNextBlock()
    {
        // Bursts of 96 bytes at 9600 baud: the block is taken at the 80th
        // byte; the last 16 come after it and must not shift the next
        // burst's frame towards the end of the next block.
        BlockCollector c;
        FakeClock clock;
        clock.attach(c);
        Journal j(c);
        connect(&c, &BlockCollector::blockReady, this, [&] {
            c.discardWaiting();
            c.waitForBlock();
        });
        c.startRun();
        c.waitForBlock();
        for (int burst = 0; burst < 6; ++burst) {
            for (int i = 0; i < 96; ++i) {
                clock.now += 1;
                c.feed(QByteArray(1, char(burst * 96 + i)));
            }
            clock.now += 300;
        }
        QCOMPARE(j.blocks.size(), 6);
        for (int burst = 0; burst < 6; ++burst) {
            QCOMPARE(j.blocks[burst].size(), 80);
            QCOMPARE(quint8(j.blocks[burst].at(0)), quint8(burst * 96)); // starts with its burst
        }
        QCOMPARE(c.tailBytesDropped(), 6 * 16);
        QCOMPARE(c.waitingCount(), 0);
    }

    void aPauseEndsTheTailAndSoDoesItsLimit()
    {
        BlockCollector c;
        FakeClock clock;
        clock.attach(c);
        c.startRun();
        c.waitForBlock();
        c.feed(bytes(40));
        clock.now += 2;
        c.feed(bytes(40));
        c.feed(bytes(5));                  // same moment: the burst goes on
        clock.now += BlockCollector::kBurstPauseMs - 1;
        c.feed(bytes(5));                  // still within the burst
        QCOMPARE(c.waitingCount(), 0);
        clock.now += BlockCollector::kBurstPauseMs;
        c.feed(bytes(3));                  // after a pause: a new burst
        QCOMPARE(c.waitingCount(), 3);
        QCOMPARE(c.tailBytesDropped(), 10);

        // A stream without pauses (ECG samples right after the header
        // block) is held back for at most the tail limit, while no burst
        // length is known.
        BlockCollector fresh;
        clock.attach(fresh);
        BlockCollector& c2 = fresh;
        c2.startRun();
        c2.waitForBlock();
        clock.now += 300;
        for (int i = 0; i < 80; ++i) {
            clock.now += 1;
            c2.feed(bytes(1));
        }
        const qint64 blockAt = clock.now;
        int counted = 0;
        while (clock.now - blockAt < BlockCollector::kTailLimitMs + 40) {
            clock.now += 8;
            const int before = c2.waitingCount();
            c2.feed(bytes(1));
            if (c2.waitingCount() > before && counted++ == 0)
                QVERIFY(clock.now - blockAt >= BlockCollector::kTailLimitMs);
        }
        QVERIFY(counted >= 4);
    }

    // A reader held up by a busy machine reads a burst's rest, the silence
    // and the next burst's first bytes as one piece, or a whole burst and
    // the next one's start: bursts are counted from their frames, so every
    // one is still received.
    void aHeldUpReaderStillGetsEveryBurst()
    {
        HeldUpReader line;
        for (int tag = 1; tag <= 60; ++tag)
            line.send(frameBurst(tag), 100);
        // The count needs two frames: the reader is let run freely for the
        // first two bursts of the run.
        const qint64 counting = line.line.first().at + 2 * 196;
        // Busy 150 ms out of every 211.
        BlockCollector c;
        QCOMPARE(line.read(c, [&](qint64 now) { return now > counting && now % 211 < 150; }), tagsUpTo(60));
        QCOMPARE(c.burstLength(), 96);
        // Held up at moments drawn at random, up to 190 ms.
        for (quint32 seed = 1; seed <= 20; ++seed) {
            QRandomGenerator random(seed);
            qint64 busyUntil = 0;
            BlockCollector d;
            const QList<int> tags = line.read(d, [&](qint64 now) {
                if (now > counting && now >= busyUntil && random.bounded(20) == 0)
                    busyUntil = now + random.bounded(190);
                return now < busyUntil;
            });
            QCOMPARE(tags, tagsUpTo(60));
        }
    }

    // Noise between bursts, a burst whose frame is damaged and one whose
    // frame lies beyond the scan cost only their own readings; they neither
    // stretch the burst length learnt nor move where bursts are placed.
    void burstsWithoutAFrameDoNotMisleadTheCount()
    {
        HeldUpReader line;
        QList<int> expected;
        for (int tag = 1; tag <= 30; ++tag) {
            if (tag % 7 == 3) {
                line.send(QByteArray(40, 'n'), 100); // noise: joins the next burst
            }
            const bool damaged = tag % 9 == 4;
            const bool beyondScan = tag % 8 == 6;
            line.send(frameBurst(tag, 96, beyondScan ? Frame::kLastOffset + 1 : 5, !damaged), 100);
            if (!damaged && !beyondScan)
                expected.append(tag);
        }
        BlockCollector c;
        QCOMPARE(line.read(c, [](qint64 now) { return now % 300 < 130; }), expected);
        QCOMPARE(c.burstLength(), 96);
    }

    // Without a frame to count from (the first block of a run, plain
    // bytes), the moments of arrival decide: a reader held up reads a
    // burst's rest late, and the silence before the next burst looks short.
    void beforeFramesAreCountedATailEndsAtAPause()
    {
        BlockCollector c;
        FakeClock clock;
        clock.attach(c);
        Journal j(c);
        c.startRun();
        c.waitForBlock();
        feedBlockInPieces(c, clock);
        QCOMPARE(j.blocks.size(), 1);
        c.feed(bytes(16));          // its tail
        clock.now += 120;           // a real pause
        c.waitForBlock();
        c.feed(bytes(30));
        QCOMPARE(c.waitingCount(), 30);
        QCOMPARE(c.tailBytesDropped(), qint64(16));
        QCOMPARE(c.burstLength(), 0);
    }

    // A burst cut short (the recorder switched off) and a new transfer a
    // while later: a long silence ends whatever was still counted.
    void aLongSilenceEndsACountedBurst()
    {
        HeldUpReader line;
        line.send(frameBurst(1), 100);
        line.send(frameBurst(2), 100);
        line.send(frameBurst(3).left(82), 2000);
        line.send(frameBurst(4), 100);
        BlockCollector c;
        QCOMPARE(line.read(c, [](qint64) { return false; }), tagsUpTo(4));
        QCOMPARE(c.tailBytesDropped(), qint64(16 + 16));
    }

    void blockHoldsEverythingWaitingWhenTheCountPassesSeventyNine()
    {
        BlockCollector c;
        FakeClock clock;
        clock.attach(c);
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
        FakeClock clock;
        clock.attach(c);
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
        FakeClock clock;
        clock.attach(c);
        Journal j(c);
        c.startRun();
        c.feed(bytes(90));
        c.waitForBlock();
        // Not from inside waitForBlock(): the caller may be a receiver.
        QVERIFY(j.events.isEmpty());
        QTRY_COMPARE(j.events, QStringList({"S1", "S2", "S3", "B90"}));
    }

    void blockThatCameInOnePieceHasNoTail()
    {
        // Nothing of its burst can still be on the way, so bytes right
        // after it (a burst close behind) count.
        BlockCollector c;
        FakeClock clock;
        clock.attach(c);
        Journal j(c);
        connect(&c, &BlockCollector::blockReady, this, [&] {
            c.discardWaiting();
            c.waitForBlock();
        });
        c.startRun();
        c.waitForBlock();
        c.feed(bytes(96, 'a'));
        clock.now += 2;
        c.feed(bytes(96, 'b'));
        QCOMPARE(j.blocks, QList<QByteArray>({bytes(96, 'a'), bytes(96, 'b')}));
        QCOMPARE(c.tailBytesDropped(), 0);
    }

    void receiverMayReArmFromItsOwnSlot()
    {
        BlockCollector c;
        FakeClock clock;
        clock.attach(c);
        QStringList events;
        connect(&c, &BlockCollector::blockReady, this, [&](quint64, const QByteArray& b) {
            events.append(QStringLiteral("B%1").arg(b.size()));
            c.waitForBlock(); // no discard: the next bytes make the next block
        });
        c.startRun();
        c.waitForBlock();
        c.feed(bytes(80));
        clock.now += 300;
        c.feed(bytes(85));
        QCOMPARE(events, QStringList({"B80", "B85"}));
    }

    void stoppedRunNeverActsAgain()
    {
        BlockCollector c;
        FakeClock clock;
        clock.attach(c);
        Journal j(c);
        c.startRun();
        c.waitForBlock();
        c.feed(bytes(30));
        QCOMPARE(j.events, QStringList({"S1"}));
        c.stop();
        c.feed(bytes(100));
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
        FakeClock clock;
        clock.attach(c);
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
        FakeClock clock;
        clock.attach(c);
        Journal j(c);
        c.startRun();
        c.feed(bytes(90));
        c.waitForBlock();
        c.stop();
        c.startRun(); // even a newer run must not get the old wait's block
        QTest::qWait(10);
        QVERIFY(j.events.isEmpty());
    }

    // After a header block every byte is a sample: the close rest of the
    // block's burst, what waited before the stream began, pieces larger
    // than the receive buffer; until the run ends or a block is awaited.
    void aStreamPassesOnEveryByteInOrder()
    {
        BlockCollector c;
        FakeClock clock;
        clock.attach(c);
        Journal j(c);
        const quint64 run = c.startRun();
        c.waitForBlock();
        c.feed(bytes(50));
        clock.now += 1;
        c.feed(bytes(40, 51)); // the block trickled in: a rest would be dropped
        QCOMPARE(j.blocks.size(), 1);
        clock.now += 1;
        c.feed(bytes(3, 91)); // taken for the rest of the burst before a stream
        QCOMPARE(c.tailBytesDropped(), qint64(3));
        c.streamSamples();
        clock.now += 1;
        c.feed(bytes(5, 100));
        QCOMPARE(j.events.mid(4), QStringList({"T5"}));
        j.streamed.clear();
        c.stop();
        c.startRun();
        c.feed(bytes(7, 10)); // waits: no stream armed
        c.streamSamples();
        QCOMPARE(j.events.size(), 5); // the waiting bytes come from the event loop
        c.feed(bytes(2, 17));
        QCOMPARE(j.streamed, bytes(9, 10));
        const QByteArray big = bytes(3000, 0);
        c.feed(big);
        QCOMPARE(j.streamed, bytes(9, 10) + big);
        QTest::qWait(5); // the queued delivery finds nothing left over
        QCOMPARE(j.streamed.size(), 3009);
        QCOMPARE(c.tailBytesDropped(), qint64(3));
        QCOMPARE(j.runs.first(), run);
        QVERIFY(j.runs.last() > run);

        c.waitForBlock();
        c.feed(bytes(30));
        QCOMPARE(j.events.last(), QStringLiteral("S1"));
        c.streamSamples();
        c.stop();
        c.feed(bytes(4));
        QTest::qWait(5);
        QCOMPARE(j.streamed.size(), 3009);
    }

    void receiveBufferHoldsAtMostItsSize()
    {
        BlockCollector c;
        FakeClock clock;
        clock.attach(c);
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
