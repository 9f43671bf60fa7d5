#include "comm/EcgReadingRun.h"


EcgReadingRun::EcgReadingRun(QObject* parent)
    : QObject(parent)
    , m_idle(kIdleTimeoutMs, [this] { return m_link.lastArrival(); })
{
    connect(&m_idle, &LineIdleTimer::timeout, this, &EcgReadingRun::onIdle);
    connect(&m_link, &RecorderLink::blockReady, this, &EcgReadingRun::onHeaderBlock);
    connect(&m_link, &RecorderLink::samplesArrived, this, &EcgReadingRun::onSamples);
    connect(&m_link, &RecorderLink::lineFailed, this, &EcgReadingRun::onLineFailed);
}

bool EcgReadingRun::start()
{
    // The earlier run, if one is waiting, never acts again.
    m_link.stop();
    m_idle.stop();
    m_sampling = false;
    if (!m_link.OpenPort(m_restartPort)) {
        emit failed(m_link.errorString());
        return false;
    }
    m_run = m_link.startRun();
    m_samples = 0;
    emit started();
    // No time-out while the header is awaited.
    m_link.DiscardWaiting();
    m_link.WaitForBlock();
    return true;
}

bool EcgReadingRun::isCurrent(quint64 run) const
{
    return run == m_run && m_link.isRunning();
}

void EcgReadingRun::stop()
{
    m_link.stop();
    m_idle.stop();
    m_sampling = false;
    m_link.closePort();
}

void EcgReadingRun::onHeaderBlock(quint64 run, const QByteArray& block)
{
    if (!isCurrent(run))
        return;
    // A block without a frame leaves the texts as they are; the strip is
    // drawn all the same.
    const ScanResult scan = ScanBlock(block);
    if (scan.found) {
        emit headerReceived(WaveHeader::fromFields(DecodeFrame(block, scan.offset, m_layout)));
        if (!isCurrent(run))
            return;
    }
    m_sampling = true;
    m_detector.ResetBeatDetector();
    emit samplingStarted();
    if (!isCurrent(run))
        return;
    m_idle.start();
    m_link.streamSamples();
}

void EcgReadingRun::onSamples(quint64 run, const QByteArray& samples)
{
    if (!isCurrent(run))
        return;
    for (const char byte : samples) {
        const auto sample = static_cast<quint8>(byte);
        m_detector.addSample(sample);
        ++m_samples;
        emit sampleReceived(sample);
        // A receiver may have ended the run.
        if (!isCurrent(run))
            return;
    }
    // The time-out counts from the last sample.
    m_idle.start();
}

void EcgReadingRun::onIdle()
{
    if (m_continue) {
        emit idleTimeout(false);
        m_idle.startAgain();
        return;
    }
    stop();
    emit idleTimeout(true);
}

void EcgReadingRun::onLineFailed(quint64 run, const QString& description)
{
    if (!isCurrent(run))
        return;
    stop();
    emit failed(description);
}
