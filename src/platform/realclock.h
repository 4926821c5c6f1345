#pragma once

#include "platform/clock.h"

#include <QElapsedTimer>

// The clock of the running program: the system's time of day and precise Qt
// timers. Each tick is scheduled against the ideal time of the next beat, so a
// fractional interval (a tempo of 97 BPM is 618.56 ms) does not drift. Any thread
// may read the time and arm or disarm a timer; a timer ticks on the thread that made
// it, which must run its events.
class RealClock : public Clock {
public:
    RealClock();
    double timeOfDay() const override;
    double monotonicMs() const override;
    std::unique_ptr<TimerDriver> makeTimer(std::function<void()> onTick) override;

private:
    QElapsedTimer elapsed_;
};
