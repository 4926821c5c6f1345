#include "platform/manualclock.h"

#include <algorithm>
#include <cmath>

struct ManualClock::Slot {
    std::function<void()> onTick;
    bool armed = false;
    double interval = 0;
    double due = 0;
    std::uint64_t order = 0;
};

// A timer slot of the manual clock. Ends its life before or after the clock:
// either way the clock forgets it when it goes.
class ManualTimerDriver : public TimerDriver {
public:
    ManualTimerDriver(ManualClock& clock, std::function<void()> onTick) : clock_(&clock) {
        slot_.onTick = std::move(onTick);
        clock_->slots_.push_back(&slot_);
    }
    ~ManualTimerDriver() override {
        auto& v = clock_->slots_;
        v.erase(std::remove(v.begin(), v.end(), &slot_), v.end());
    }
    void arm(double intervalMs) override {
        slot_.armed = true;
        slot_.interval = intervalMs;
        slot_.due = clock_->nowMs_ + intervalMs;
        slot_.order = ++clock_->armCount_;
    }
    void disarm() override { slot_.armed = false; }

private:
    ManualClock* clock_;
    ManualClock::Slot slot_;
};

ManualClock::ManualClock(double startTimeOfDaySeconds) : startTimeOfDay_(startTimeOfDaySeconds) {}

ManualClock::~ManualClock() = default;

double ManualClock::timeOfDay() const {
    const double t = std::fmod(startTimeOfDay_ + nowMs_ / 1000.0, 86400.0);
    return t < 0 ? t + 86400.0 : t;
}

void ManualClock::setTimeOfDay(double seconds) {
    startTimeOfDay_ = seconds - nowMs_ / 1000.0;
}

std::unique_ptr<TimerDriver> ManualClock::makeTimer(std::function<void()> onTick) {
    return std::make_unique<ManualTimerDriver>(*this, std::move(onTick));
}

ManualClock::Slot* ManualClock::nextDue(double limitMs) const {
    Slot* best = nullptr;
    for (Slot* s : slots_) {
        if (!s->armed || s->due > limitMs) {
            continue;
        }
        if (!best || s->due < best->due || (s->due == best->due && s->order < best->order)) {
            best = s;
        }
    }
    return best;
}

void ManualClock::advance(double ms) {
    const double target = nowMs_ + std::max(0.0, ms);
    while (Slot* s = nextDue(target)) {
        nowMs_ = std::max(nowMs_, s->due);
        // A periodic timer keeps its phase; a handler that re-arms or disarms it wins.
        // The slot may be gone after onTick (its timer destroyed there): not touched after.
        s->due += s->interval;
        s->order = ++armCount_;
        s->onTick();
    }
    nowMs_ = target;
}

bool ManualClock::advanceToNextTimer(double maxMs) {
    const double wait = msToNextTimer();
    if (wait < 0 || wait > maxMs) {
        return false;
    }
    advance(wait);
    return true;
}

double ManualClock::msToNextTimer() const {
    Slot* s = nextDue(HUGE_VAL);
    return s ? std::max(0.0, s->due - nowMs_) : -1.0;
}
