#pragma once
// A time-out that counts from the moment the line last brought a byte,
// not from the moment the window's thread got round to it: when it was
// held up, the bytes it has not handled yet still count as come.
//
//   LineIdleTimer idle(500, [&] { return port.lastArrival(); });
//   idle.start();   // after a block: timeout() once the line has been
//                   // quiet for 500 ms since its last byte
//   idle.stop();
#include <QObject>
#include <QTimer>

#include <functional>

class LineIdleTimer : public QObject {
    Q_OBJECT
public:
    // `lastArrival` gives the steadyMs() stamp of the last byte, -1 for none.
    LineIdleTimer(int idleMs, std::function<qint64()> lastArrival, QObject* parent = nullptr);

    void start();
    // The next time-out after one that came: counts from now.
    void startAgain();
    void stop() { m_timer.stop(); }
    bool isActive() const { return m_timer.isActive(); }
    int idleMs() const { return m_idleMs; }

signals:
    void timeout();

private:
    qint64 msLeft() const;
    void arm();
    void check();

    int m_idleMs;
    std::function<qint64()> m_lastArrival;
    qint64 m_countFrom = 0;
    QTimer m_timer;
};
