#pragma once
// The serial port's reader: lives on a thread of its own while a port is
// open, so that nothing the window's thread does can hold it up. It only
// opens and closes the device, waits on it, reads what came and stamps it
// (steadyMs) the moment it was read; every piece is numbered, so that the
// owner can tell the pieces read before a discard from those read after.
// It decides nothing. SerialLine owns it; nothing else should use it.
#include "platform/SerialSettings.h"

#include <QByteArray>
#include <QObject>
#include <QString>

#include <atomic>

class QSerialPort;

class SerialReader : public QObject {
    Q_OBJECT
public:
    // `lastArrival` gets the stamp of every piece as it is read, so the
    // owner sees that bytes came before their piece reaches it.
    explicit SerialReader(std::atomic<qint64>* lastArrival);
    ~SerialReader() override;

    // On the reader's thread. False with *error set when the device cannot
    // be opened with these settings.
    bool open(const QString& device, const LineSettings& line, QString* error);
    void close();
    // Throws away what the device holds; returns the number of the last
    // piece read, so that it and every piece before it can be ignored.
    quint64 discard();

signals:
    void pieceRead(quint64 number, const QByteArray& bytes, qint64 stampMs);
    // The open port failed; it is closed by then.
    void failed(const QString& systemText);

private:
    void readWhatCame();
    void onError(int error);

    std::atomic<qint64>* m_lastArrival;
    QSerialPort* m_port = nullptr;
    quint64 m_pieces = 0;
};
