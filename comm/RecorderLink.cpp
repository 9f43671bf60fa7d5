#include "comm/RecorderLink.h"

#include "platform/SerialSettings.h"
#include "platform/SteadyClock.h"

RecorderLink::RecorderLink(QObject* parent)
    : QObject(parent)
{
    m_silence.setSingleShot(true);
    m_silence.setTimerType(Qt::PreciseTimer);
    connect(&m_silence, &QTimer::timeout, this, &RecorderLink::onSilence);
    connect(&m_port, &SerialLine::bytesArrived, this, &RecorderLink::take);
    connect(&m_port, &SerialLine::lineLost, this, [this](const QString& description) {
        m_silence.stop();
        m_collector.discardWaiting();
        if (m_collector.isRunning())
            emit lineFailed(m_collector.currentRun(), description);
    });
    connect(&m_collector, &BlockCollector::stageReached, this, &RecorderLink::stageReached);
    connect(&m_collector, &BlockCollector::blockReady, this, &RecorderLink::blockReady);
    connect(&m_collector, &BlockCollector::samplesArrived, this, &RecorderLink::samplesArrived);
}

bool RecorderLink::OpenPort(bool restart)
{
    if (m_port.isOpen()) {
        if (!restart)
            return true;
        closePort();
    }
    m_collector.discardWaiting();
    if (!m_port.open())
        return false;
    // Silences are measured against the time the line needs for its bytes.
    const std::optional<LineSettings> line = LineSettings::parse(m_port.settings());
    m_collector.setLineRate(line ? line->baudRate / 10 : 0);
    return true;
}

void RecorderLink::closePort()
{
    m_port.close();
    m_silence.stop();
    // A closed port has nothing waiting.
    m_collector.discardWaiting();
}

void RecorderLink::DiscardWaiting()
{
    m_port.discardWaiting();
    m_collector.discardWaiting();
}

void RecorderLink::take(const QByteArray& bytes, qint64 stampMs)
{
    m_collector.feed(bytes, stampMs);
    watchForSilence();
}

void RecorderLink::watchForSilence()
{
    // A burst shorter than a block ends with a silence, not a byte.
    const qint64 endsAt = m_collector.burstEndsAt();
    if (endsAt < 0) {
        m_silence.stop();
        return;
    }
    m_silence.start(int(qMax<qint64>(0, endsAt - steadyMs())));
}

void RecorderLink::onSilence()
{
    // Bytes the reader read but this thread has not handled yet end no
    // silence here: their piece is on its way and watches again.
    if (m_port.lastArrival() > m_collector.lastStamp())
        return;
    m_collector.lineQuietUntil(steadyMs());
    watchForSilence();
}
