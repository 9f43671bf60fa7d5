#include "platform/SerialReader.h"

#include "platform/SteadyClock.h"

#include <QLoggingCategory>
#include <QSerialPort>

// Off unless switched on: every byte the line brings, in hex.
Q_LOGGING_CATEGORY(lcSerial, "korvane.serial", QtInfoMsg)

SerialReader::SerialReader(std::atomic<qint64>* lastArrival)
    : m_lastArrival(lastArrival)
{
}

SerialReader::~SerialReader() = default;

bool SerialReader::open(const QString& device, const LineSettings& line, QString* error)
{
    close();
    m_port = new QSerialPort(this);
    m_port->setPortName(device);
    // Set before opening: open() applies them and fails when the device
    // refuses one.
    m_port->setBaudRate(line.baudRate);
    m_port->setParity(line.parity);
    m_port->setDataBits(line.dataBits);
    m_port->setStopBits(line.stopBits);
    m_port->setFlowControl(QSerialPort::NoFlowControl);
    if (!m_port->open(QIODevice::ReadOnly)) {
        *error = m_port->errorString();
        close();
        return false;
    }
    connect(m_port, &QSerialPort::readyRead, this, &SerialReader::readWhatCame);
    connect(m_port, &QSerialPort::errorOccurred, this,
            [this](QSerialPort::SerialPortError e) { onError(int(e)); });
    return true;
}

void SerialReader::close()
{
    if (!m_port)
        return;
    m_port->disconnect(this);
    if (m_port->isOpen())
        m_port->close();
    // Later: close() may run inside one of the port's own signals.
    m_port->deleteLater();
    m_port = nullptr;
}

quint64 SerialReader::discard()
{
    if (m_port && m_port->isOpen()) {
        // Both what the driver holds and what Qt has already read ahead.
        m_port->clear(QSerialPort::Input);
        m_port->readAll();
    }
    return m_pieces;
}

void SerialReader::readWhatCame()
{
    if (!m_port)
        return;
    const QByteArray bytes = m_port->readAll();
    if (bytes.isEmpty())
        return;
    const qint64 stamp = steadyMs();
    m_lastArrival->store(stamp);
    // What the recorder sent, for a service technician:
    // QT_LOGGING_RULES="korvane.serial.debug=true"
    qCDebug(lcSerial).noquote() << m_port->portName() << bytes.size() << "bytes:" << bytes.toHex(' ');
    emit pieceRead(++m_pieces, bytes, stamp);
}

void SerialReader::onError(int error)
{
    const auto e = QSerialPort::SerialPortError(error);
    // Failures of open() are reported by open() itself.
    if (e == QSerialPort::NoError || e == QSerialPort::TimeoutError || !m_port || !m_port->isOpen())
        return;
    // A read that fails after the other side hung up comes with a stale
    // error code in Qt 6.4, so its text says nothing true; the line is lost
    // either way. Closing here stops the read notifier, which would fire on.
    const QString text = e == QSerialPort::ReadError || e == QSerialPort::ResourceError
        ? QStringLiteral("Input/output error")
        : m_port->errorString();
    close();
    emit failed(text);
}
