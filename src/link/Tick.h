#pragma once
// The one clock of the serial link: milliseconds from an arbitrary start, never going back.
// All deadlines and idle times of the driver are differences of this tick.

#include <QtGlobal>

#include <chrono>

inline qint64 TickMs() {
    using namespace std::chrono;
    return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}
