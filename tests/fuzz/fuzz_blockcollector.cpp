// libFuzzer target: the block collector driven by any sequence of stamped
// pieces, silences and reading-window actions. Its promises are checked as
// it goes: stages 1, 2, 3 in order before a block and only while a block
// is awaited, nothing for a run that is over, blocks of 1 to 1024 bytes and
// shorter than 80 only when the line fell silent, never more waiting than
// the receive buffer, samples only while a stream is armed, and no byte
// made up on the way (what came is at least what was handed on and what
// waits).
#include "comm/BlockCollector.h"

#include <QCoreApplication>

#include <cstdint>
#include <cstdlib>

namespace {

void require(bool promise)
{
    if (!promise)
        std::abort();
}

struct Checker {
    BlockCollector collector;
    qint64 now = 1000; // moved by the input
    quint64 run = 0;
    bool running = false;
    int lastStage = 0;
    bool blockWait = false;
    bool streamWait = false;
    bool silenceSeen = false; // the line fell silent at least once
    qint64 lastStamp = 0;
    qint64 fed = 0;
    qint64 handedOn = 0;
    qint64 discarded = 0;

    Checker()
    {
        collector.setLineRate(960);
        QObject::connect(&collector, &BlockCollector::stageReached, [this](quint64 r, int stage) {
            require(running && r == run && blockWait && stage == lastStage + 1 && stage <= 3);
            lastStage = stage;
        });
        QObject::connect(&collector, &BlockCollector::blockReady, [this](quint64 r, const QByteArray& b) {
            require(running && r == run && blockWait && !b.isEmpty()
                    && b.size() <= BlockCollector::kReceiveBufferSize);
            require(b.size() > BlockCollector::kBlockThreshold || silenceSeen);
            // (Stages reported before a discard stay reported.)
            require(lastStage >= (b.size() > 59 ? 3 : b.size() > 39 ? 2 : b.size() > 19 ? 1 : 0));
            handedOn += b.size();
            blockWait = false;
            lastStage = 0;
        });
        QObject::connect(&collector, &BlockCollector::samplesArrived, [this](quint64 r, const QByteArray& b) {
            require(running && r == run && streamWait && !b.isEmpty());
            handedOn += b.size();
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
        case 2: { // a piece of up to 248 bytes comes, 0..255 ms after the last
            const size_t n = std::min<size_t>(size - i, op >> 3 == 0 ? 1 : size_t(op >> 3) * 8);
            const qint64 after = i + n < size ? data[i + n] : 0;
            const qint64 stamp = c.now + after + qint64(n);
            if (stamp - c.lastStamp - qint64(n) >= c.collector.silenceMs() - 1)
                c.silenceSeen = true;
            c.collector.feed(QByteArray(reinterpret_cast<const char*>(data + i), qsizetype(n)), stamp);
            c.now = c.lastStamp = stamp;
            c.fed += qint64(n);
            i += n + 1;
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
                c.discarded += c.collector.waitingCount();
                c.collector.discardWaiting();
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
        case 7: // time passes, the line may be quiet, the event loop runs
            c.now += (op >> 3) * 4;
            if (c.now - c.lastStamp >= c.collector.silenceMs())
                c.silenceSeen = true;
            c.collector.lineQuietUntil(c.now);
            QCoreApplication::sendPostedEvents();
            break;
        }
        require(c.collector.waitingCount() <= BlockCollector::kReceiveBufferSize);
        require(c.handedOn + c.discarded + c.collector.waitingCount() <= c.fed);
    }
    QCoreApplication::sendPostedEvents();
    return 0;
}
