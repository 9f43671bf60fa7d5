#include "platform/SerialSettings.h"

#include "platform/SettingsStore.h"

#include <QStringList>

#include <algorithm>
#include <array>

namespace {

// The rates a serial port of the platform takes in its settings text.
constexpr std::array<qint32, 16> kBaudRates = {110,   300,   600,   1200,  2400,   4800,
                                                9600,  14400, 19200, 28800, 38400,  56000,
                                                57600, 115200, 128000, 256000};

} // namespace

std::optional<LineSettings> LineSettings::parse(const QString& text)
{
    const QStringList fields = text.split(QLatin1Char(','));
    if (fields.size() != 4)
        return std::nullopt;

    LineSettings s;
    bool ok = false;
    s.baudRate = fields[0].toInt(&ok);
    if (!ok || std::find(kBaudRates.begin(), kBaudRates.end(), s.baudRate) == kBaudRates.end())
        return std::nullopt;

    const QString parity = fields[1].toLower();
    if (parity == QLatin1String("n"))
        s.parity = QSerialPort::NoParity;
    else if (parity == QLatin1String("e"))
        s.parity = QSerialPort::EvenParity;
    else if (parity == QLatin1String("o"))
        s.parity = QSerialPort::OddParity;
    else if (parity == QLatin1String("m"))
        s.parity = QSerialPort::MarkParity;
    else if (parity == QLatin1String("s"))
        s.parity = QSerialPort::SpaceParity;
    else
        return std::nullopt;

    const int bits = fields[2].toInt(&ok);
    if (!ok || bits < 5 || bits > 8)
        return std::nullopt;
    s.dataBits = static_cast<QSerialPort::DataBits>(bits);

    if (fields[3] == QLatin1String("1"))
        s.stopBits = QSerialPort::OneStop;
    else if (fields[3] == QLatin1String("1.5"))
        s.stopBits = QSerialPort::OneAndHalfStop;
    else if (fields[3] == QLatin1String("2"))
        s.stopBits = QSerialPort::TwoStop;
    else
        return std::nullopt;
    return s;
}

std::optional<int> portNumberFromName(const QString& portName)
{
    for (int n = kFirstPortNumber; n <= kLastPortNumber; ++n) {
        if (portName == QStringLiteral("COM%1").arg(n))
            return n;
    }
    return std::nullopt;
}

QString defaultDeviceForPortNumber(int portNumber)
{
#ifdef Q_OS_WIN
    return QStringLiteral("COM%1").arg(portNumber);
#else
    return QStringLiteral("/dev/ttyS%1").arg(portNumber - 1);
#endif
}

QString deviceForPortNumber(int portNumber)
{
    return readSetting(QString::fromLatin1(kAppTitle), QString::fromLatin1(kPortsSection),
                       QStringLiteral("COM%1").arg(portNumber),
                       defaultDeviceForPortNumber(portNumber));
}
