#include "platform/realclock.h"

#include <QTime>
#include <QTimer>
#include <algorithm>
#include <climits>
#include <cmath>

namespace {

class QtTimerDriver : public TimerDriver {
public:
    QtTimerDriver(const RealClock& clock, std::function<void()> onTick)
        : clock_(clock), onTick_(std::move(onTick)) {
        timer_.setSingleShot(true);
        timer_.setTimerType(Qt::PreciseTimer);
        QObject::connect(&timer_, &QTimer::timeout, [this] { fire(); });
    }
    void arm(double intervalMs) override {
        interval_ = intervalMs;
        due_ = clock_.monotonicMs() + intervalMs;
        schedule();
    }
    void disarm() override { timer_.stop(); }

private:
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
