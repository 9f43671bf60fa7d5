#include "platform/SerialLine.h"

#include "platform/PlatformText.h"
#include "platform/SerialReader.h"
#include "platform/SerialSettings.h"

#include <QThread>

SerialLine::SerialLine(QObject* parent)
    : QObject(parent)
    , m_settings(QString::fromLatin1(kDefaultLineSettings))
{
}

SerialLine::~SerialLine()
{
    close();
}

void SerialLine::setSettings(const QString& lineSettings)
{
    m_settings = lineSettings;
}

bool SerialLine::setPortNumber(int portNumber)
{
    if (portNumber < kFirstPortNumber || portNumber > kLastPortNumber)
        return false;
    m_portNumber = portNumber;
    return true;
}

QString SerialLine::device() const
{
    return deviceForPortNumber(m_portNumber);
}

bool SerialLine::open()
{
    m_errorString.clear();
    if (isOpen())
        return true;
    const std::optional<LineSettings> line = LineSettings::parse(m_settings);
    if (!line) {
        m_errorString = platformText("serial.invalidSettings").arg(m_settings);
        return false;
    }
    m_openedPortNumber = m_portNumber;
    m_openedDevice = device();
    m_lastArrival.store(-1);
    m_discardedThrough = 0;
    const quint64 session = ++m_session;

    m_thread = std::make_unique<QThread>();
    m_thread->setObjectName(QStringLiteral("serial reader"));
    m_reader = std::make_unique<SerialReader>(&m_lastArrival);
    m_reader->moveToThread(m_thread.get());
    connect(m_reader.get(), &SerialReader::pieceRead, this,
            [this, session](quint64 number, const QByteArray& bytes, qint64 stamp) {
                onPiece(session, number, bytes, stamp);
            });
    connect(m_reader.get(), &SerialReader::failed, this,
            [this, session](const QString& text) { onFailed(session, text); });
    m_thread->start();

    bool opened = false;
    QString systemText;
    QMetaObject::invokeMethod(
        m_reader.get(), [&] { opened = m_reader->open(m_openedDevice, *line, &systemText); },
        Qt::BlockingQueuedConnection);
    if (!opened) {
        close();
        m_errorString = withDeviceNamed(systemText);
        return false;
    }
    return true;
}

void SerialLine::close()
{
    ++m_session;
    if (!m_reader)
        return;
    QMetaObject::invokeMethod(m_reader.get(), [this] { m_reader->close(); },
                              Qt::BlockingQueuedConnection);
    m_thread->quit();
    m_thread->wait();
    m_reader.reset();
    m_thread.reset();
}

void SerialLine::discardWaiting()
{
    if (!m_reader)
        return;
    quint64 through = 0;
    QMetaObject::invokeMethod(m_reader.get(), [&] { through = m_reader->discard(); },
                              Qt::BlockingQueuedConnection);
    m_discardedThrough = through;
}

void SerialLine::onPiece(quint64 session, quint64 number, const QByteArray& bytes, qint64 stamp)
{
    if (session != m_session || number <= m_discardedThrough)
        return;
    emit bytesArrived(bytes, stamp);
}

void SerialLine::onFailed(quint64 session, const QString& systemText)
{
    if (session != m_session)
        return;
    m_errorString = withDeviceNamed(systemText);
    close();
    emit lineLost(m_errorString);
}

QString SerialLine::withDeviceNamed(const QString& systemText) const
{
    return platformText("serial.failedDevice").arg(systemText, m_openedDevice, QString::number(m_openedPortNumber));
}
