#pragma once
// One serial port, receive only, as the reading windows use it: a
// line-settings text and a port number chosen beforehand, open and close,
// and the bytes waiting in the receive buffer (count, discard, read all).
//
// - Settings and port number take effect at the next open(); an open port
//   is not disturbed by changing them.
// - A closed port has no waiting bytes and reports no error: waitingCount()
//   is 0 and readAllWaiting() is empty.
// - open() returns false, with errorString() holding the platform's
//   description, when the device does not exist, is in use (another
//   program holds it), or refuses the settings, or when the settings text
//   itself is not valid.
// - When an open port fails (the adapter is pulled, the other end of a
//   pseudo-terminal goes away) the port is closed and lineLost(description)
//   is emitted once, from the event loop.
// - A description of a failed device names it: the platform's text, then
//   the device path and the COM name it stands for ("No such file or
//   directory , Device /dev/ttyS0 (COM1)"), since the platform's text alone
//   does not say which device the settings chose.
#include <QByteArray>
#include <QObject>
#include <QSerialPort>
#include <QString>

class SerialLine : public QObject {
    Q_OBJECT
public:
    explicit SerialLine(QObject* parent = nullptr);
    ~SerialLine() override;

    void setSettings(const QString& lineSettings); // "9600,n,8,1"
    QString settings() const { return m_settings; }
    // 1..8; other numbers are refused (false) and the number stays.
    bool setPortNumber(int portNumber);
    int portNumber() const { return m_portNumber; }
    // The device that the port number names at this moment.
    QString device() const;

    bool open();
    void close();
    bool isOpen() const;

    qint64 waitingCount() const;
    void discardWaiting();
    QByteArray readAllWaiting();

    // Description of the last failure of open() or of the line.
    QString errorString() const { return m_errorString; }

signals:
    void bytesArrived();
    void lineLost(const QString& description);

private:
    void onPortError(QSerialPort::SerialPortError error);
    void reportLostLine();
    QString withDeviceNamed(const QString& systemText) const;

    QSerialPort m_port;
    QString m_settings;
    int m_portNumber = 1;
    int m_openedPortNumber = 1; // the number the port was opened with
    QString m_openedDevice;
    QString m_errorString;
    bool m_lossPending = false;
};
