#pragma once
// Waiting on the event loop for a condition, without fixed sleeps: the loop
// wakes for every event (a port's bytes, a signal) and at least every 5 ms.
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTimer>

template <class Condition>
bool waitUntil(Condition condition, int timeoutMs = 3000)
{
    QElapsedTimer clock;
    clock.start();
    QTimer tick;
    tick.start(5);
    while (!condition()) {
        if (clock.elapsed() > timeoutMs)
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents);
    }
    return true;
}
