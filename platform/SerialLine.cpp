#include "platform/SerialLine.h"

#include <QLoggingCategory>

#include "platform/SerialSettings.h"
#include "platform/PlatformText.h"

#include <QMetaObject>


// Off unless switched on: every byte the line brings, in hex.
Q_LOGGING_CATEGORY(lcSerial, "korvane.serial", QtInfoMsg)

SerialLine::SerialLine(QObject* parent)
    : QObject(parent)
    , m_settings(QString::fromLatin1(kDefaultLineSettings))
{
    connect(&m_port, &QSerialPort::readyRead, this, &SerialLine::bytesArrived);
    connect(&m_port, &QSerialPort::errorOccurred, this, &SerialLine::onPortError);
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
    if (m_port.isOpen())
        return true;
    const std::optional<LineSettings> line = LineSettings::parse(m_settings);
    if (!line) {
        m_errorString = platformText("serial.invalidSettings").arg(m_settings);
        return false;
    }
    m_lossPending = false;
    m_openedPortNumber = m_portNumber;
    m_openedDevice = device();
    m_port.setPortName(m_openedDevice);
    // Set before opening: open() applies them and fails when the device
    // refuses one.
    m_port.setBaudRate(line->baudRate);
    m_port.setParity(line->parity);
    m_port.setDataBits(line->dataBits);
    m_port.setStopBits(line->stopBits);
    m_port.setFlowControl(QSerialPort::NoFlowControl);
    if (!m_port.open(QIODevice::ReadOnly)) {
        m_errorString = withDeviceNamed(m_port.errorString());
        m_port.clearError();
        return false;
    }
    return true;
}

void SerialLine::close()
{
    if (m_port.isOpen())
        m_port.close();
    m_port.clearError();
}

bool SerialLine::isOpen() const
{
    return m_port.isOpen();
}

qint64 SerialLine::waitingCount() const
{
    return m_port.isOpen() ? m_port.bytesAvailable() : 0;
}

void SerialLine::discardWaiting()
{
    if (!m_port.isOpen())
        return;
    // Both what the driver holds and what Qt has already read ahead.
    m_port.clear(QSerialPort::Input);
    m_port.readAll();
}

QByteArray SerialLine::readAllWaiting()
{
    if (!m_port.isOpen())
        return QByteArray();
    const QByteArray bytes = m_port.readAll();
    // What the recorder sent, for a service technician:
    // QT_LOGGING_RULES="korvane.serial.debug=true"
    if (!bytes.isEmpty())
        qCDebug(lcSerial).noquote() << m_port.portName() << bytes.size() << "bytes:" << bytes.toHex(' ');
    return bytes;
}

void SerialLine::onPortError(QSerialPort::SerialPortError error)
{
    // Failures of open() are reported by open() itself.
    if (error == QSerialPort::NoError || error == QSerialPort::TimeoutError || !m_port.isOpen())
        return;
    if (m_lossPending)
        return;
    m_lossPending = true;
    // A read that fails after the other side hung up comes with a stale
    // error code in Qt 6.4, so its text says nothing true; the line is lost
    // either way. The read notifier keeps firing until the port closes, so
    // close from the event loop, outside QSerialPort's own handler.
    m_errorString = withDeviceNamed(error == QSerialPort::ReadError || error == QSerialPort::ResourceError
                               ? QStringLiteral("Input/output error")
                               : m_port.errorString());
    QMetaObject::invokeMethod(this, &SerialLine::reportLostLine, Qt::QueuedConnection);
}

QString SerialLine::withDeviceNamed(const QString& systemText) const
{
    return platformText("serial.failedDevice").arg(systemText, m_openedDevice, QString::number(m_openedPortNumber));
}

void SerialLine::reportLostLine()
{
    if (!m_lossPending)
        return;
    m_lossPending = false;
    close();
    emit lineLost(m_errorString);
}
