#include "comm/BlockCollector.h"

#include <QMetaObject>

#include <cmath>

BlockCollector::BlockCollector(QObject* parent)
    : QObject(parent)
{
}

void BlockCollector::setLineRate(int bytesPerSecond)
{
    m_byteMs = bytesPerSecond > 0 ? 1000.0 / bytesPerSecond : 0.0;
    m_silenceMs = qMax(kShortestSilenceMs, int(std::ceil(kSilenceBytes * m_byteMs)));
}

quint64 BlockCollector::startRun()
{
    ++m_run;
    ++m_waitId;
    m_running = true;
    m_wait = Wait::None;
    m_stagesReported = 0;
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
    arm(Wait::Stream);
}

void BlockCollector::arm(Wait wait)
{
    if (!m_running)
        return;
    ++m_waitId;
    m_wait = wait;
    m_stagesReported = 0;
    if (waitingCount() == 0)
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

void BlockCollector::feed(const QByteArray& bytes, qint64 stampMs)
{
    if (bytes.isEmpty())
        return;
    const double lineMs = double(bytes.size()) * m_byteMs;
    if (m_inBurst && double(stampMs - m_lastStamp) - lineMs >= m_silenceMs)
        endBurst();
    m_lastStamp = qMax(m_lastStamp, stampMs);
    if (!m_inBurst) {
        m_inBurst = true;
        m_currentTaken = false;
    }
    if (m_wait == Wait::Stream) {
        // After what already waits, if its delivery is still to come.
        m_current += bytes;
    } else if (m_currentTaken) {
        return; // the rest of a burst whose block was taken
    } else {
        keep(bytes);
    }
    deliver();
}

void BlockCollector::lineQuietUntil(qint64 nowMs)
{
    if (m_inBurst && nowMs - m_lastStamp >= m_silenceMs)
        endBurst();
}

void BlockCollector::endBurst()
{
    m_inBurst = false;
    if (m_current.isEmpty())
        return;
    m_ended.append(m_current);
    m_current.clear();
    deliver();
}

void BlockCollector::keep(const QByteArray& bytes)
{
    const int room = kReceiveBufferSize - waitingCount();
    m_current.append(bytes.constData(), qBound(0, room, int(bytes.size())));
}

void BlockCollector::discardWaiting()
{
    m_ended.clear();
    m_current.clear();
    // What comes next starts a block, even within a burst.
    m_currentTaken = false;
}

int BlockCollector::waitingCount() const
{
    int count = int(m_current.size());
    for (const QByteArray& block : m_ended)
        count += int(block.size());
    return count;
}

void BlockCollector::deliver()
{
    const quint64 run = m_run;
    const quint64 waitId = m_waitId;
    if (m_wait == Wait::Stream) {
        QByteArray samples;
        for (const QByteArray& block : m_ended)
            samples += block;
        samples += m_current;
        m_ended.clear();
        m_current.clear();
        if (!samples.isEmpty())
            emit samplesArrived(run, samples);
        return;
    }
    if (m_wait != Wait::Block)
        return;
    // The oldest block not yet taken: of a burst that ended, or the one going on.
    const auto frontSize = [this] { return int(m_ended.isEmpty() ? m_current.size() : m_ended.first().size()); };
    while (m_stagesReported < 3 && frontSize() > kStageThreshold[m_stagesReported]) {
        ++m_stagesReported;
        emit stageReached(run, m_stagesReported);
        // A receiver may have stopped the run, started another or re-armed.
        if (!stillArmed(waitId))
            return;
    }
    const bool ended = !m_ended.isEmpty();
    if (frontSize() == 0 || (!ended && frontSize() <= kBlockThreshold))
        return;
    QByteArray block;
    if (ended) {
        block = m_ended.takeFirst();
    } else {
        block.swap(m_current);
        m_currentTaken = true;
    }
    m_wait = Wait::None;
    m_stagesReported = 0;
    ++m_waitId;
    emit blockReady(run, block);
}
