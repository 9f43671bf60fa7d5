#pragma once
// The texts that choose a serial line: the line-settings text such as
// "9600,n,8,1" and the port name such as "COM1", and the device that a port
// number stands for on this machine.
#include <QSerialPort>
#include <QString>

#include <optional>

// Parsed form of a line-settings text: baud rate, parity letter (n, e, o),
// data bits, stop bits, joined by commas without blanks.
struct LineSettings {
    qint32 baudRate = 9600;
    QSerialPort::Parity parity = QSerialPort::NoParity;
    QSerialPort::DataBits dataBits = QSerialPort::Data8;
    QSerialPort::StopBits stopBits = QSerialPort::OneStop;

    // std::nullopt when the text is not four valid fields. Accepts the
    // platform's baud rates 110..256000, parity n/e/o/m/s (either case), data
    // bits 5..8 and stop bits 1, 1.5 or 2.
    static std::optional<LineSettings> parse(const QString& text);
};

inline constexpr const char* kDefaultLineSettings = "9600,n,8,1";
inline constexpr const char* kPortsSection = "Ports";
inline constexpr int kFirstPortNumber = 1;
inline constexpr int kLastPortNumber = 8;

// "COM1".."COM8" (exactly so, upper case) give 1..8; every other text has
// no number.
std::optional<int> portNumberFromName(const QString& portName);

// The device a port number names: the settings store's section "Ports",
// key "COM<n>"; when absent, /dev/ttyS<n-1> on Linux (COM<n> on Windows).
QString deviceForPortNumber(int portNumber);
QString defaultDeviceForPortNumber(int portNumber);
