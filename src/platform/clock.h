#pragma once

#include <functional>
#include <memory>

// One timer slot of a Clock: armed with an interval, it calls its tick function
// once per interval until it is disarmed. Used only by HiResTimer.
class TimerDriver {
public:
    virtual ~TimerDriver() = default;
    // Starts (or restarts) counting one interval from now.
    virtual void arm(double intervalMs) = 0;
    virtual void disarm() = 0;
};

// Time and timers for the whole program. The real clock uses the system time and
// Qt's timers; the manual clock (tests) moves only when told to. No other code
// reads the system time or creates a QTimer. The time may be read on any thread of
// the real clock; a timer slot ticks on the thread it was made on (the show core's
// timers on the show thread). The manual clock is for one thread.
class Clock {
public:
    virtual ~Clock() = default;
    // Seconds since midnight, with a fraction.
    virtual double timeOfDay() const = 0;
    // Milliseconds since an arbitrary fixed start; never goes back.
    virtual double monotonicMs() const = 0;
    // A new timer slot that calls onTick on the calling thread when due.
    virtual std::unique_ptr<TimerDriver> makeTimer(std::function<void()> onTick) = 0;
};
