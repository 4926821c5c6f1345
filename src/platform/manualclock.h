#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

#include "platform/clock.h"

// A clock for tests and offline runs: time stands still until advance() moves it,
// and the timers that fall due on the way fire in time order (those due at the
// same moment in the order they were armed). GUI thread only.
class ManualClock : public Clock {
public:
    explicit ManualClock(double startTimeOfDaySeconds = 12 * 3600.0);
    ~ManualClock() override;

    double timeOfDay() const override;
    double monotonicMs() const override { return nowMs_; }
    // Sets the time of day (seconds since midnight) that the clock reads now, as a
    // change of the system time would: the monotonic time and the timers are not
    // touched.
    void setTimeOfDay(double seconds);
    std::unique_ptr<TimerDriver> makeTimer(std::function<void()> onTick) override;

    // Moves time forward by ms, firing every timer that falls due on the way.
    void advance(double ms);
    // Moves time forward by ms without firing any timer, as a program busy elsewhere
    // lives it: the timers due meanwhile fire late, at the next advance().
    void stall(double ms) { nowMs_ += ms > 0 ? ms : 0; }
    // Moves time to the next due timer (if any within maxMs) and fires it; returns
    // whether one fired.
    bool advanceToNextTimer(double maxMs);
    // Milliseconds until the next armed timer is due, or a negative value when none is armed.
    double msToNextTimer() const;

    struct Slot;

private:
    friend class ManualTimerDriver;
    Slot* nextDue(double limitMs) const;

    double nowMs_ = 0;
    double startTimeOfDay_;
    std::uint64_t armCount_ = 0;
    std::vector<Slot*> slots_;
};
