// libFuzzer target: the block collector driven by any sequence of arriving
// bytes and reading-window actions. Its promises are checked as it goes:
// stages 1, 2, 3 in order before a block, blocks of more than 79 bytes,
// nothing for a run that is over, never more than the receive buffer.
#include "comm/BlockCollector.h"

#include <QCoreApplication>

#include <cstdint>
#include <cstdlib>

namespace {

struct Checker {
    BlockCollector collector;
    quint64 run = 0;
    bool running = false;
    int lastStage = 0;
    bool blockWait = false;
    bool sampleWait = false;

    Checker()
    {
        QObject::connect(&collector, &BlockCollector::stageReached, [this](quint64 r, int stage) {
            if (!running || r != run || !blockWait || stage != lastStage + 1 || stage > 3)
                std::abort();
            lastStage = stage;
        });
        QObject::connect(&collector, &BlockCollector::blockReady, [this](quint64 r, const QByteArray& b) {
            if (!running || r != run || !blockWait || lastStage != 3 || b.size() <= 79
                || b.size() > BlockCollector::kReceiveBufferSize)
                std::abort();
            blockWait = false;
            lastStage = 0;
        });
        QObject::connect(&collector, &BlockCollector::sampleReady, [this](quint64 r, quint8) {
            if (!running || r != run || !sampleWait || collector.waitingCount() != 0)
                std::abort();
            sampleWait = false;
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
            c.collector.feed(QByteArray(reinterpret_cast<const char*>(data + i), qsizetype(n)));
            i += n;
            break;
        }
        case 3:
            c.run = c.collector.startRun();
            c.running = true;
            c.blockWait = c.sampleWait = false;
            c.lastStage = 0;
            break;
        case 4:
            c.collector.stop();
            c.running = false;
            c.blockWait = c.sampleWait = false;
            break;
        case 5:
            if (op & 8) {
                c.collector.discardWaiting();
            } else {
                c.collector.waitForBlock();
                c.blockWait = c.running;
                c.sampleWait = false;
                c.lastStage = 0;
            }
            break;
        case 6:
            c.collector.waitForSample();
            c.sampleWait = c.running;
            c.blockWait = false;
            break;
        case 7: // the event loop runs
            QCoreApplication::sendPostedEvents();
            break;
        }
        if (c.collector.waitingCount() > BlockCollector::kReceiveBufferSize)
            std::abort();
    }
    QCoreApplication::sendPostedEvents();
    return 0;
}
