#include "comm/BlockCollector.h"

#include "comm/FrameProtocol.h"

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
    // Another run may read another recorder.
    m_burstEnd = -1;
    m_lastFrameAt = -1;
    m_placingFrameAt = -1;
    m_burstLength = 0;
    m_frameOffset = -1;
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
    m_burstEnd = -1;
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

void BlockCollector::feed(const QByteArray& input)
{
    if (input.isEmpty())
        return;
    QByteArray bytes = input;
    qint64 at = m_fed;
    m_fed += input.size();
    const qint64 now = m_clock();
    const qint64 silence = silenceBefore(now, input.size());
    dropRestOfBurst(now, bytes, at);
    m_lastArrival = now;
    if (bytes.isEmpty())
        return;
    // After a burst's rest the silence lies somewhere in this piece.
    m_lastPause = bytes.size() == input.size() ? silence : 0;
    const qsizetype room =
        m_wait == Wait::Stream ? bytes.size() : kReceiveBufferSize - m_waiting.size();
    if (room < bytes.size())
        streamBroken(); // what does not fit is lost
    if (room <= 0)
        return;
    if (m_waiting.isEmpty())
        m_waitingFrom = at;
    m_waiting.append(bytes.constData(), qMin(room, bytes.size()));
    ++m_piecesWaiting;
    deliver();
}

void BlockCollector::dropRestOfBurst(qint64 now, QByteArray& bytes, qint64& at)
{
    qsizetype rest = 0;
    if (m_burstEnd > at) {
        // A burst's rest comes without a pause. A pause since the block
        // while less than the counted rest came shows that the burst ended
        // sooner (another recorder, one switched off, a count from frames
        // that lay bursts apart).
        const qint64 owed = m_burstEnd - at;
        const qint64 pause = now - m_restSince - qint64(double(m_fed - m_restFrom) * m_byteMs);
        if (bytes.size() >= owed || pause < m_burstPauseMs)
            rest = qsizetype(qMin<qint64>(bytes.size(), owed));
    } else if (continuesTakenBurst(now, bytes.size())) {
        rest = bytes.size();
    }
    if (rest < bytes.size()) {
        // The burst is over: what follows starts the next one.
        m_burstEnd = -1;
        m_tailOpen = false;
    }
    m_tailDropped += rest;
    at += rest;
    bytes.remove(0, rest);
}

void BlockCollector::discardWaiting()
{
    m_waiting.clear();
    m_piecesWaiting = 0;
    m_waitingHasGap = false;
}

void BlockCollector::streamBroken()
{
    m_burstEnd = -1;
    m_lastFrameAt = -1;
    m_placingFrameAt = -1;
    m_waitingHasGap = !m_waiting.isEmpty();
}

namespace {
qint64 floorDiv(qint64 a, qint64 b)
{
    return a / b - (a % b != 0 && (a < 0) != (b < 0));
}
} // namespace

qint64 BlockCollector::burstEndOf(const QByteArray& block, qint64 blockStart)
{
    // Every frame in the block teaches the burst length: when a reader was
    // held up, a block may hold a whole burst and the next one's frame. Only
    // a frame that the scan finds places the bursts: one beyond it may sit
    // where the recorder's frames do not (a damaged burst).
    int first = -1;
    for (int offset = 0; !m_waitingHasGap && offset + Frame::kLength <= block.size(); ++offset) {
        if (!frameStartsAt(block, offset))
            continue;
        const qint64 frameAt = blockStart + offset;
        if (first < 0)
            first = offset;
        if (frameAt <= m_lastFrameAt)
            continue; // seen in the block before, which left it waiting
        const qint64 distance = frameAt - m_lastFrameAt;
        if (m_lastFrameAt >= 0 && distance >= kShortestBurst && distance <= kReceiveBufferSize
            && (m_burstLength == 0 || distance < m_burstLength))
            m_burstLength = int(distance);
        m_lastFrameAt = frameAt;
    }
    if (first >= 0 && first <= Frame::kLastOffset) {
        m_placingFrameAt = blockStart + first;
        m_frameOffset = m_frameOffset < 0 ? first : qMin(m_frameOffset, first);
    }
    if (m_burstLength == 0 || m_placingFrameAt < 0 || m_frameOffset < 0)
        return -1;
    // Bursts begin at firstStart + k * length; the block's 80th byte lies in
    // the one that ends next after it.
    const qint64 firstStart = m_placingFrameAt - m_frameOffset;
    const qint64 blockEnd = blockStart + kBlockThreshold + 1;
    return firstStart - floorDiv(firstStart - blockEnd, m_burstLength) * m_burstLength;
}

void BlockCollector::takeBlock()
{
    const qint64 blockStart = m_waitingFrom;
    const qint64 burstEnd = burstEndOf(m_waiting, blockStart);
    qsizetype size = m_waiting.size();
    if (burstEnd >= 0)
        size = qBound<qint64>(kBlockThreshold + 1, burstEnd - blockStart, size);
    QByteArray block = m_waiting.left(size);
    m_waiting.remove(0, size);
    m_waitingFrom += size;
    const qint64 now = m_clock();
    m_burstEnd = burstEnd;
    m_restFrom = m_fed;
    m_restSince = m_lastArrival;
    m_tailOpen = burstEnd < 0 && m_piecesWaiting > 1 && m_lastPause < m_burstPauseMs
        && now - m_lastArrival < m_burstPauseMs;
    m_blockAt = now;
    m_piecesWaiting = m_waiting.isEmpty() ? 0 : 1;
    if (m_waiting.isEmpty())
        m_waitingHasGap = false;
    m_wait = Wait::None;
    m_stagesReported = 0;
    ++m_waitId;
    emit blockReady(m_run, block);
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
        m_waitingHasGap = false;
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
    if (m_waiting.size() > kBlockThreshold)
        takeBlock();
}
