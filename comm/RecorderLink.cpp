#include "comm/RecorderLink.h"

#include "platform/SerialSettings.h"

RecorderLink::RecorderLink(QObject* parent)
    : QObject(parent)
{
    connect(&m_port, &SerialLine::bytesArrived, this, &RecorderLink::takeArrivedBytes);
    connect(&m_port, &SerialLine::lineLost, this, [this](const QString& description) {
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
    // The collector measures pauses against the time the line needs for
    // the bytes it brings.
    const std::optional<LineSettings> line = LineSettings::parse(m_port.settings());
    m_collector.setLineRate(line ? line->baudRate / 10 : 0);
    return true;
}

void RecorderLink::closePort()
{
    m_port.close();
    // A closed port has nothing waiting.
    m_collector.discardWaiting();
}

void RecorderLink::DiscardWaiting()
{
    m_port.discardWaiting();
    m_collector.streamBroken();
    m_collector.discardWaiting();
}

int RecorderLink::waitingCount() const
{
    return m_collector.waitingCount() + int(m_port.waitingCount());
}

void RecorderLink::takeArrivedBytes()
{
    // Always take everything: one readyRead is not one burst, and the
    // collector is where bytes wait.
    emit bytesArrived();
    m_collector.feed(m_port.readAllWaiting());
}
