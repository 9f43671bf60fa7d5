#pragma once
// The one clock that stamps serial bytes and measures the line's
// silences: monotonic milliseconds, the same on every thread, never set
// back by a change of the wall clock.
#include <QtGlobal>

#include <chrono>

inline qint64 steadyMs()
{
    using namespace std::chrono;
    return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}
