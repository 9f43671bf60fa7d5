#include "comm/BlockCollector.h"

#include <QElapsedTimer>
#include <QMetaObject>

BlockCollector::BlockCollector(QObject* parent)
    : QObject(parent)
{
    setClock({});
}

void BlockCollector::setClock(Clock clock)
{
    if (clock) {
        m_clock = std::move(clock);
        return;
    }
    QElapsedTimer started;
    started.start();
    m_clock = [started] { return started.elapsed(); };
}

void BlockCollector::setLineRate(int bytesPerSecond)
{
    m_burstPauseMs = kBurstPauseMs;
    m_tailLimitMs = kTailLimitMs;
    m_byteMs = bytesPerSecond > 0 ? 1000.0 / bytesPerSecond : 0.0;
    if (bytesPerSecond <= 0)
        return;
    const int byteMs = (1000 + bytesPerSecond - 1) / bytesPerSecond;
    m_burstPauseMs = qMax(kBurstPauseMs, kBurstPauseBytes * byteMs);
    m_tailLimitMs = qMax(kTailLimitMs, kTailLimitBytes * byteMs);
}

qint64 BlockCollector::silenceBefore(qint64 now, qsizetype bytes) const
{
    return qMax<qint64>(0, now - m_lastArrival - qint64(double(bytes) * m_byteMs));
}

bool BlockCollector::continuesTakenBurst(qint64 now, qsizetype bytes) const
{
    return m_tailOpen && silenceBefore(now, bytes) < m_burstPauseMs && now - m_blockAt < m_tailLimitMs;
}

quint64 BlockCollector::startRun()
{
    ++m_run;
    ++m_waitId;
    m_running = true;
    m_wait = Wait::None;
    m_stagesReported = 0;
    m_tailOpen = false;
    return m_run;
}

void BlockCollector::stop()
{
    // A new number, so that even a delivery already queued for the old run
    // finds nothing to act on.
    ++m_run;
    ++m_waitId;
    m_running = false;
    m_wait = Wait::None;
    m_stagesReported = 0;
}

void BlockCollector::waitForBlock()
{
    arm(Wait::Block);
}

void BlockCollector::streamSamples()
{
    // Whatever follows the last block is a sample, however closely it
    // follows.
    m_tailOpen = false;
    arm(Wait::Stream);
}

void BlockCollector::arm(Wait wait)
{
    if (!m_running)
        return;
    ++m_waitId;
    m_wait = wait;
    m_stagesReported = 0;
    if (m_waiting.isEmpty())
        return;
    // Bytes already wait: report them from the event loop, not from inside
    // the caller, who may be one of our own receivers.
    const quint64 waitId = m_waitId;
    QMetaObject::invokeMethod(
        this,
        [this, waitId] {
            if (stillArmed(waitId))
                deliver();
        },
        Qt::QueuedConnection);
}

void BlockCollector::learnBurstLength()
{
    const int whole = m_lastBlockSize + m_tailOfBlock;
    if (whole > kBlockThreshold && (m_burstLength == 0 || whole < m_burstLength))
        m_burstLength = whole;
}

void BlockCollector::feed(const QByteArray& input)
{
    if (input.isEmpty())
        return;
    QByteArray bytes = input;
    const qint64 now = m_clock();
    if (continuesTakenBurst(now, bytes.size())) {
        const int rest = m_burstLength > 0 ? qMax(0, m_burstLength - m_lastBlockSize - m_tailOfBlock)
                                           : int(bytes.size());
        const int dropped = qMin(rest, int(bytes.size()));
        m_tailOfBlock += dropped;
        m_tailDropped += dropped;
        m_lastArrival = now;
        if (dropped == bytes.size())
            return;
        // The burst is complete: what follows starts the next one.
        bytes.remove(0, dropped);
    } else if (m_tailOpen) {
        // A pause ended the tail: block and tail were one whole burst.
        learnBurstLength();
    }
    m_tailOpen = false;
    m_lastPause = silenceBefore(now, bytes.size());
    m_lastArrival = now;
    const qsizetype room =
        m_wait == Wait::Stream ? bytes.size() : kReceiveBufferSize - m_waiting.size();
    if (room <= 0)
        return;
    m_waiting.append(bytes.constData(), qMin(room, bytes.size()));
    ++m_piecesWaiting;
    deliver();
}

void BlockCollector::discardWaiting()
{
    m_waiting.clear();
    m_piecesWaiting = 0;
}

void BlockCollector::deliver()
{
    const quint64 run = m_run;
    const quint64 waitId = m_waitId;
    if (m_wait == Wait::Stream) {
        if (m_waiting.isEmpty())
            return;
        QByteArray samples;
        samples.swap(m_waiting);
        m_piecesWaiting = 0;
        emit samplesArrived(run, samples);
        return;
    }
    if (m_wait != Wait::Block)
        return;
    while (m_stagesReported < 3 && m_waiting.size() > kStageThreshold[m_stagesReported]) {
        ++m_stagesReported;
        emit stageReached(run, m_stagesReported);
        // A receiver may have stopped the run, started another or re-armed.
        if (!stillArmed(waitId))
            return;
    }
    if (m_waiting.size() > kBlockThreshold) {
        QByteArray block;
        block.swap(m_waiting);
        const qint64 now = m_clock();
        m_tailOpen = m_piecesWaiting > 1 && m_lastPause < m_burstPauseMs
            && now - m_lastArrival < m_burstPauseMs;
        m_blockAt = now;
        m_lastBlockSize = int(block.size());
        m_tailOfBlock = 0;
        m_piecesWaiting = 0;
        m_wait = Wait::None;
        m_stagesReported = 0;
        ++m_waitId;
        emit blockReady(run, block);
    }
}
