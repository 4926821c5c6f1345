#pragma once

// A GUI thread that stops now and then, as it does behind a long repaint, a big
// library edit or a settings save: a timer on the GUI thread that, at random
// moments, sleeps for a fixed time. Every other thread keeps running.
#include <QObject>
#include <QTimer>
#include <atomic>
#include <chrono>
#include <random>
#include <thread>

class GuiStall : public QObject {
public:
    // Stalls of `stallMs` with pauses of `minGapMs` to `maxGapMs` between them,
    // drawn from `seed`; the first one after a pause too.
    GuiStall(int stallMs, int minGapMs, int maxGapMs, unsigned seed)
        : stallMs_(stallMs), gaps_(minGapMs, maxGapMs), random_(seed) {
        timer_.setObjectName(QStringLiteral("BenchGuiStall"));
        timer_.setSingleShot(true);
        connect(&timer_, &QTimer::timeout, this, [this] { stall(); });
        timer_.start(gaps_(random_));
    }

    // True while the GUI thread sleeps (any thread).
    bool stalled() const { return stalled_.load(); }
    int count() const { return count_; }

private:
    void stall() {
        stalled_.store(true);
        ++count_;
        std::this_thread::sleep_for(std::chrono::milliseconds(stallMs_));
        stalled_.store(false);
        timer_.start(gaps_(random_));
    }

    int stallMs_;
    std::uniform_int_distribution<int> gaps_;
    std::mt19937 random_;
    QTimer timer_;
    std::atomic<bool> stalled_{false};
    int count_ = 0;
};
