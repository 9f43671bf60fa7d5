// libFuzzer target: the block collector driven by any sequence of arriving
// bytes and reading-window actions. Its promises are checked as it goes:
// stages 1, 2, 3 in order before a block, blocks of more than 79 bytes
// taken from the front of the waiting bytes, the rest left waiting, nothing for a run that is over, never more than
// the receive buffer (a sample stream excepted), a stream passing on every
// byte with nothing taken for a burst's rest, and no byte lost or made up
// on the way (a mirror count of the waiting bytes is kept beside it).
#include "comm/BlockCollector.h"

#include <QCoreApplication>

#include <cstdint>
#include <cstdlib>

namespace {

struct Checker {
    BlockCollector collector;
    qint64 now = 0; // moved by the input
    qint64 mirror = 0; // the bytes that should be waiting
    quint64 run = 0;
    bool running = false;
    int lastStage = 0;
    bool blockWait = false;
    bool streamWait = false;
    // While bytes are being fed: how many came, and the tail count before.
    bool inFeed = false;
    qint64 feedCount = 0;
    qint64 tailBefore = 0;
    int deliveries = 0;

    // The bytes that should be waiting now; in the middle of a feed, the
    // rest of a burst has been thrown away already and the others are in.
    qint64 expectedWaiting() const
    {
        if (!inFeed)
            return mirror;
        const qint64 dropped = collector.tailBytesDropped() - tailBefore;
        const qint64 room = streamWait ? feedCount : BlockCollector::kReceiveBufferSize - mirror;
        return mirror + std::min<qint64>(feedCount - dropped, room);
    }

    Checker()
    {
        collector.setClock([this] { return now; });
        QObject::connect(&collector, &BlockCollector::stageReached, [this](quint64 r, int stage) {
            if (!running || r != run || !blockWait || stage != lastStage + 1 || stage > 3)
                std::abort();
            lastStage = stage;
        });
        QObject::connect(&collector, &BlockCollector::blockReady, [this](quint64 r, const QByteArray& b) {
            const qint64 waiting = expectedWaiting();
            if (!running || r != run || !blockWait || lastStage != 3 || b.size() <= 79
                || b.size() > BlockCollector::kReceiveBufferSize || b.size() > waiting
                || collector.waitingCount() != waiting - b.size())
                std::abort();
            ++deliveries;
            mirror = waiting - b.size();
            inFeed = false;
            blockWait = false;
            lastStage = 0;
        });
        QObject::connect(&collector, &BlockCollector::samplesArrived, [this](quint64 r, const QByteArray& b) {
            if (!running || r != run || !streamWait || b.isEmpty() || b.size() != expectedWaiting()
                || collector.waitingCount() != 0)
                std::abort();
            ++deliveries;
            mirror = 0;
            inFeed = false;
        });
    }
};

} // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    static QCoreApplication app(*argc, *argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    Checker c;
    size_t i = 0;
    while (i < size) {
        const uint8_t op = data[i++];
        switch (op & 7) {
        case 0:
        case 1:
        case 2: { // bytes arrive, up to 255 of them
            const size_t n = std::min<size_t>(size - i, op >> 3 == 0 ? 1 : size_t(op >> 3) * 8);
            // The rest of a burst is thrown away first (at most what came);
            // what follows is taken in up to the buffer's room.
            c.inFeed = true;
            c.feedCount = qint64(n);
            c.tailBefore = c.collector.tailBytesDropped();
            const int deliveriesBefore = c.deliveries;
            c.collector.feed(QByteArray(reinterpret_cast<const char*>(data + i), qsizetype(n)));
            const qint64 dropped = c.collector.tailBytesDropped() - c.tailBefore;
            if (dropped < 0 || dropped > qint64(n) || (c.streamWait && dropped != 0))
                std::abort();
            // A delivery set what is left waiting.
            if (c.deliveries == deliveriesBefore)
                c.mirror = c.expectedWaiting();
            c.inFeed = false;
            i += n;
            break;
        }
        case 3:
            c.run = c.collector.startRun();
            c.running = true;
            c.blockWait = c.streamWait = false;
            c.lastStage = 0;
            break;
        case 4:
            c.collector.stop();
            c.running = false;
            c.blockWait = c.streamWait = false;
            break;
        case 5:
            if (op & 8) {
                c.collector.discardWaiting();
                c.mirror = 0;
            } else if (op & 16) {
                c.collector.streamBroken(); // the port threw bytes away
            } else {
                c.collector.waitForBlock();
                c.blockWait = c.running;
                c.streamWait = false;
                c.lastStage = 0;
            }
            break;
        case 6:
            c.collector.streamSamples();
            c.streamWait = c.running;
            c.blockWait = false;
            break;
        case 7: // time passes and the event loop runs
            c.now += (op >> 3) * 4;
            QCoreApplication::sendPostedEvents();
            break;
        }
        if (c.collector.waitingCount() > BlockCollector::kReceiveBufferSize
            || c.collector.waitingCount() != c.mirror)
            std::abort();
    }
    QCoreApplication::sendPostedEvents();
    return 0;
}
