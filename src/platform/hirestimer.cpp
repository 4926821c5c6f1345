#include "platform/hirestimer.h"

#include <algorithm>
#include <cmath>

HiResTimer::HiResTimer(Clock& clock, const QString& name, double intervalMs, QObject* parent)
    : QObject(parent), driver_(clock.makeTimer([this] { fire(); })), interval_(intervalMs) {
    setObjectName(name);
}

HiResTimer::~HiResTimer() = default;

double HiResTimer::effectiveInterval() const {
    if (!std::isfinite(interval_)) {
        return kMinimumMs;
    }
    return std::clamp(interval_, kMinimumMs, kMaximumMs);
}

void HiResTimer::setInterval(double ms) {
    interval_ = ms;
    if (enabled_) {
        shortFirst_ = false;
        driver_->arm(effectiveInterval());
        emit armed();
    }
}

void HiResTimer::startWithFirst(double firstMs) {
    enabled_ = true;
    shortFirst_ = true;
    driver_->arm(std::isfinite(firstMs) ? std::clamp(firstMs, kMinimumMs, kMaximumMs) : kMinimumMs);
    emit armed();
}

void HiResTimer::setEnabled(bool on) {
    shortFirst_ = false;
    enabled_ = on;
    if (on) {
        driver_->arm(effectiveInterval());
        emit armed();
    } else {
        driver_->disarm();
        emit disarmed();
    }
}

void HiResTimer::fire() {
    if (shortFirst_) {
        shortFirst_ = false;
        driver_->arm(effectiveInterval());
    }
    if (enabled_) {
        emit tick();
    }
}
