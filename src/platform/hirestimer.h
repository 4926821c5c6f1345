#pragma once

#include <QObject>
#include <memory>

#include "platform/clock.h"

// A program timer: an interval in milliseconds (fractions allowed), an enabled
// flag and a tick signal. Enabling it, or changing the interval while it is
// enabled, starts a fresh interval from now. For the thread it was made on.
class HiResTimer : public QObject {
    Q_OBJECT
    Q_PROPERTY(double interval READ interval WRITE setInterval)
    Q_PROPERTY(bool enabled READ isEnabled WRITE setEnabled)
public:
    HiResTimer(Clock& clock, const QString& name, double intervalMs, QObject* parent = nullptr);
    ~HiResTimer() override;

    double interval() const { return interval_; }
    void setInterval(double ms);
    bool isEnabled() const { return enabled_; }
    void setEnabled(bool on);
    // Enables the timer with a shorter first interval (a deadline that began
    // before now); the ticks after it come at the interval as set.
    void startWithFirst(double firstMs);

    // Shortest interval a timer runs at: a zero or negative interval would spin.
    static constexpr double kMinimumMs = 1.0;
    // Longest interval a timer runs at (one hour): a longer one is out of any use
    // and would overflow the system timer's own range.
    static constexpr double kMaximumMs = 3600000.0;

signals:
    void tick();
    // A fresh interval began (enabled, or the interval changed while enabled).
    void armed();
    // The timer was disabled.
    void disarmed();

private:
    void fire();
    double effectiveInterval() const;

    std::unique_ptr<TimerDriver> driver_;
    double interval_;
    bool enabled_ = false;
    bool shortFirst_ = false;  // the running interval is the short first one
};
