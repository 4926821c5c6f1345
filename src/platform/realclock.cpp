#include "platform/realclock.h"

#include <QThread>
#include <QTime>
#include <QTimer>
#include <algorithm>
#include <atomic>
#include <climits>
#include <cmath>
#include <cstdint>

namespace {

// A QTimer lives on the thread that made it and may be started or stopped there only.
// arm() and disarm() from another thread (the show thread arming a timer the GUI
// thread made) are handed to the timer's thread as queued calls; each call carries
// its number, and one that arrives after a later call has taken effect is dropped,
// so the last call made always decides, whichever thread made it. On the timer's own
// thread both take effect at once.
class QtTimerDriver : public TimerDriver {
public:
    QtTimerDriver(const RealClock& clock, std::function<void()> onTick)
        : clock_(clock), onTick_(std::move(onTick)) {
        timer_.setSingleShot(true);
        timer_.setTimerType(Qt::PreciseTimer);
        QObject::connect(&timer_, &QTimer::timeout, [this] { fire(); });
    }
    void arm(double intervalMs) override {
        // The interval counts from the call, not from when the timer's thread takes it.
        const double due = clock_.monotonicMs() + intervalMs;
        apply(intervalMs, due);
    }
    void disarm() override { apply(-1, 0); }

private:
    // intervalMs < 0: stop.
    void apply(double intervalMs, double due) {
        const std::uint64_t call = ++calls_;
        if (QThread::currentThread() == timer_.thread()) {
            take(call, intervalMs, due);
            return;
        }
        QMetaObject::invokeMethod(
            &timer_, [this, call, intervalMs, due] { take(call, intervalMs, due); },
            Qt::QueuedConnection);
    }
    // On the timer's thread.
    void take(std::uint64_t call, double intervalMs, double due) {
        if (call < taken_) {
            return;  // a later call has already decided
        }
        taken_ = call;
        if (intervalMs < 0) {
            timer_.stop();
            return;
        }
        interval_ = intervalMs;
        due_ = due;
        schedule();
    }
    void schedule() {
        // Kept within what the system timer takes, whatever interval it was given.
        double wait = due_ - clock_.monotonicMs();
        wait = wait > 0 ? std::min(wait, double(INT_MAX) / 2) : 0.0;
        timer_.start(static_cast<int>(std::round(wait)));
    }
    void fire() {
        due_ += interval_;
        // After a long stall (a modal box), start again from now rather than catching up.
        if (due_ < clock_.monotonicMs()) {
            due_ = clock_.monotonicMs() + interval_;
        }
        schedule();
        onTick_();
    }

    const RealClock& clock_;
    std::function<void()> onTick_;
    QTimer timer_;
    std::atomic<std::uint64_t> calls_{0};  // arm() and disarm() calls made, any thread
    std::uint64_t taken_ = 0;              // the last call taken (the timer's thread)
    double interval_ = 0;
    double due_ = 0;
};

}  // namespace

RealClock::RealClock() {
    elapsed_.start();
}

double RealClock::timeOfDay() const {
    return QTime::currentTime().msecsSinceStartOfDay() / 1000.0;
}

double RealClock::monotonicMs() const {
    return elapsed_.nsecsElapsed() / 1.0e6;
}

std::unique_ptr<TimerDriver> RealClock::makeTimer(std::function<void()> onTick) {
    return std::make_unique<QtTimerDriver>(*this, std::move(onTick));
}
