#pragma once
// One serial port, receive only, as the reading windows use it: a
// line-settings text and a port number chosen beforehand, open and close,
// and the bytes that come, each piece stamped with the moment it came.
//
// - While the port is open, one reader thread (SerialReader) waits on the
//   device, reads what came and stamps it with steadyMs(); the pieces
//   reach bytesArrived(bytes, stamp) on this object's thread, in order,
//   however long that thread was held up. Nothing else runs there.
// - Settings and port number take effect at the next open(); an open port
//   is not disturbed by changing them.
// - open() returns false, with errorString() holding the platform's
//   description, when the device does not exist, is in use (another
//   program holds it), or refuses the settings, or when the settings text
//   itself is not valid.
// - close() ends the reader thread; no piece is handed on after it, not
//   even one already read. discardWaiting() throws away every piece read
//   before it and what the device holds.
// - When an open port fails (the adapter is pulled, the other end of a
//   pseudo-terminal goes away) the port is closed and lineLost(description)
//   is emitted once, after the pieces that came before the failure.
// - A description of a failed device names it: the platform's text, then
//   the device path and the COM name it stands for ("No such file or
//   directory , Device /dev/ttyS0 (COM1)"), since the platform's text alone
//   does not say which device the settings chose.
#include <QByteArray>
#include <QObject>
#include <QString>

#include <atomic>
#include <memory>

class QThread;
class SerialReader;

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
    bool isOpen() const { return m_reader != nullptr; }

    void discardWaiting();
    // The stamp of the last piece the reader read since open(), whether or
    // not it has been handed on yet; -1 when none came.
    qint64 lastArrival() const { return m_lastArrival.load(); }

    // Description of the last failure of open() or of the line.
    QString errorString() const { return m_errorString; }

signals:
    void bytesArrived(const QByteArray& bytes, qint64 stampMs);
    void lineLost(const QString& description);

private:
    void onPiece(quint64 session, quint64 number, const QByteArray& bytes, qint64 stamp);
    void onFailed(quint64 session, const QString& systemText);
    QString withDeviceNamed(const QString& systemText) const;

    QString m_settings;
    int m_portNumber = 1;
    int m_openedPortNumber = 1; // the number the port was opened with
    QString m_openedDevice;
    QString m_errorString;
    std::unique_ptr<QThread> m_thread;
    std::unique_ptr<SerialReader> m_reader;
    std::atomic<qint64> m_lastArrival{-1};
    // Each open is a session; pieces of an earlier one are ignored.
    quint64 m_session = 0;
    quint64 m_discardedThrough = 0;
};
