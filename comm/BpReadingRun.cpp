#include "comm/BpReadingRun.h"

#include "comm/FrameProtocol.h"

BpReadingRun::BpReadingRun(QObject* parent)
    : QObject(parent)
    , m_idle(kIdleTimeoutMs, [this] { return m_link.lastArrival(); })
{
    connect(&m_idle, &LineIdleTimer::timeout, this, &BpReadingRun::onIdle);
    connect(&m_link, &RecorderLink::stageReached, this, &BpReadingRun::onStageReached);
    connect(&m_link, &RecorderLink::blockReady, this, &BpReadingRun::onBlockReady);
    connect(&m_link, &RecorderLink::lineFailed, this, &BpReadingRun::onLineFailed);
}

bool BpReadingRun::start()
{
    // The earlier run, if one is waiting, never acts again.
    m_link.stop();
    m_idle.stop();
    if (!m_link.OpenPort(true)) {
        emit failed(m_link.errorString());
        return false;
    }
    m_run = m_link.startRun();
    m_records.clear();
    emit started();
    m_link.DiscardWaiting();
    waitForNextBlock();
    return true;
}

void BpReadingRun::end()
{
    m_link.stop();
    m_idle.stop();
    m_link.closePort();
}

void BpReadingRun::waitForNextBlock()
{
    // Bytes of the next burst that came while the block was handled count.
    m_link.WaitForBlock();
    emit waitingForBlock();
}

void BpReadingRun::onStageReached(quint64 run, int stage)
{
    if (run != m_run)
        return;
    if (stage == 1)
        m_idle.stop();
    emit stageReached(stage);
}

void BpReadingRun::onBlockReady(quint64 run, const QByteArray& block)
{
    if (run != m_run)
        return;
    const ScanResult scan = ScanBlock(block);
    if (scan.found) {
        m_records.append(BpRecord::fromFields(DecodeFrame(block, scan.offset, FrameLayout::Split)));
        emit recordReceived(m_records.constLast());
    }
    // The idle time-out runs between blocks only.
    m_idle.start();
    waitForNextBlock();
}

void BpReadingRun::onIdle()
{
    if (m_continue) {
        emit idleTimeout(false);
        m_idle.startAgain();
        return;
    }
    // The run stays in its wait; a closed port brings nothing more.
    m_link.closePort();
    emit idleTimeout(true);
}

void BpReadingRun::onLineFailed(quint64 run, const QString& description)
{
    if (run != m_run)
        return;
    end();
    emit failed(description);
}
