#pragma once
// The recorder's end of a pseudo-terminal: the program opens the other end
// (the slave device) like any serial port, and everything written here
// arrives there. The slave is set raw at once, so no byte is changed or
// held back by the terminal layer.
#include <QByteArray>
#include <QString>

class PtyEndpoint {
public:
    PtyEndpoint() = default;
    ~PtyEndpoint();
    PtyEndpoint(const PtyEndpoint&) = delete;
    PtyEndpoint& operator=(const PtyEndpoint&) = delete;

    // Creates the pseudo-terminal; false with *error on failure.
    bool open(QString* error = nullptr);
    // A symbolic link at `linkPath` naming the slave device (replaced if it
    // exists), so that the device has a stable name. Removed by close().
    bool createLink(const QString& linkPath, QString* error = nullptr);

    bool isOpen() const { return m_master >= 0; }
    QString devicePath() const { return m_device; }
    QString linkPath() const { return m_link; }

    // True while some program has the slave device open.
    bool peerIsOpen() const;
    // Writes all of `bytes` unless the peer stops reading for `timeoutMs`;
    // returns the number written.
    qint64 write(const QByteArray& bytes, int timeoutMs = 200);
    // Like the recorder being unplugged: the peer's line fails.
    void close();

private:
    int m_master = -1;
    QString m_device;
    QString m_link;
};
