#include <gtest/gtest.h>

#include <QStringList>

#include "platform/hirestimer.h"
#include "platform/manualclock.h"

namespace {

struct Log {
    QStringList events;
    ManualClock* clock = nullptr;
    void record(const QString& name) {
        events << QStringLiteral("%1@%2").arg(name).arg(clock->monotonicMs());
    }
};

}  // namespace

TEST(ManualClock, FiresDueTimersInTimeOrderAndKeepsThePhase) {
    ManualClock clock;
    Log log{{}, &clock};
    HiResTimer beat(clock, QStringLiteral("beat"), 500);
    HiResTimer off(clock, QStringLiteral("off"), 80);
    QObject::connect(&beat, &HiResTimer::tick, [&] {
        log.record(QStringLiteral("beat"));
        off.setEnabled(true);
    });
    QObject::connect(&off, &HiResTimer::tick, [&] {
        log.record(QStringLiteral("off"));
        off.setEnabled(false);
    });
    beat.setEnabled(true);
    clock.advance(1100);
    EXPECT_EQ(log.events, (QStringList{"beat@500", "off@580", "beat@1000", "off@1080"}));
    EXPECT_DOUBLE_EQ(clock.monotonicMs(), 1100);
}

TEST(ManualClock, ReEnablingOrChangingTheIntervalStartsAFreshInterval) {
    ManualClock clock;
    Log log{{}, &clock};
    HiResTimer t(clock, QStringLiteral("t"), 100);
    QObject::connect(&t, &HiResTimer::tick, [&] { log.record(QStringLiteral("t")); });
    t.setEnabled(true);
    clock.advance(60);
    t.setEnabled(true);  // restart: next tick at 160
    clock.advance(60);
    t.setInterval(50);  // restart at 120: next tick at 170
    clock.advance(60);
    EXPECT_EQ(log.events, (QStringList{"t@170"}));
}

TEST(ManualClock, DisabledTimersNeverFireAndSimultaneousOnesKeepArmingOrder) {
    ManualClock clock;
    Log log{{}, &clock};
    HiResTimer a(clock, QStringLiteral("a"), 100);
    HiResTimer b(clock, QStringLiteral("b"), 100);
    QObject::connect(&a, &HiResTimer::tick, [&] {
        log.record(QStringLiteral("a"));
        a.setEnabled(false);
    });
    QObject::connect(&b, &HiResTimer::tick, [&] {
        log.record(QStringLiteral("b"));
        b.setEnabled(false);
    });
    b.setEnabled(true);
    a.setEnabled(true);
    clock.advance(1000);
    EXPECT_EQ(log.events, (QStringList{"b@100", "a@100"}));
}

TEST(ManualClock, ZeroIntervalDoesNotSpinAndATimerMayDieInItsOwnTick) {
    ManualClock clock;
    int ticks = 0;
    auto* t = new HiResTimer(clock, QStringLiteral("t"), 0);
    QObject::connect(t, &HiResTimer::tick, [&] {
        if (++ticks == 3) {
            delete t;
        }
    });
    t->setEnabled(true);
    clock.advance(10);
    EXPECT_EQ(ticks, 3);
    EXPECT_LT(clock.msToNextTimer(), 0);
}

TEST(ManualClock, TimeOfDayFollowsVirtualTime) {
    ManualClock clock(3600);
    clock.advance(2500);
    EXPECT_DOUBLE_EQ(clock.timeOfDay(), 3602.5);
    // Setting the time of day (midnight passing, the system time set back) leaves
    // the monotonic time alone; the time of day wraps at midnight.
    clock.setTimeOfDay(24 * 3600.0 - 1);
    EXPECT_DOUBLE_EQ(clock.monotonicMs(), 2500);
    clock.advance(1500);
    EXPECT_DOUBLE_EQ(clock.timeOfDay(), 0.5);
    EXPECT_DOUBLE_EQ(clock.monotonicMs(), 4000);
    clock.setTimeOfDay(10);
    clock.advance(1000);
    EXPECT_DOUBLE_EQ(clock.timeOfDay(), 11);
}
