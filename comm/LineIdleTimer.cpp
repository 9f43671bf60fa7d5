#include "comm/LineIdleTimer.h"

#include "platform/SteadyClock.h"

#include <limits>

LineIdleTimer::LineIdleTimer(int idleMs, std::function<qint64()> lastArrival, QObject* parent)
    : QObject(parent)
    , m_idleMs(idleMs)
    , m_lastArrival(std::move(lastArrival))
{
    m_timer.setSingleShot(true);
    m_timer.setTimerType(Qt::PreciseTimer);
    connect(&m_timer, &QTimer::timeout, this, &LineIdleTimer::check);
}

qint64 LineIdleTimer::msLeft() const
{
    return qMax(m_lastArrival(), m_countFrom) + m_idleMs - steadyMs();
}

void LineIdleTimer::start()
{
    // Nothing came since the port opened: count from now.
    m_countFrom = m_lastArrival() >= 0 ? std::numeric_limits<qint64>::min() : steadyMs();
    arm();
}

void LineIdleTimer::startAgain()
{
    m_countFrom = steadyMs();
    arm();
}

void LineIdleTimer::arm()
{
    // From the event loop even when the time is up already: the caller may
    // be in the middle of handling a block.
    m_timer.start(int(qBound<qint64>(0, msLeft(), qint64(m_idleMs))));
}

void LineIdleTimer::check()
{
    const qint64 left = msLeft();
    if (left > 0) {
        m_timer.start(int(left));
        return;
    }
    m_timer.stop();
    emit timeout();
}
