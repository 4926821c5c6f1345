// The played position between audio periods: what the play list relies on when the
// device stalls, stops or reaches the end.
#include <gtest/gtest.h>

#include "playback/trackposition.h"

namespace {

TrackPosition::Progress playing(std::int64_t rendered) {
    TrackPosition::Progress p;
    p.rendered = rendered;
    p.playing = true;
    p.periodFrames = 2048;
    p.length = 441000;
    return p;
}

}  // namespace

TEST(TrackPosition, AStalledDeviceHoldsThePositionWithinAPeriodYetNeverStill) {
    TrackPosition position;
    EXPECT_EQ(position.read(0, playing(0)), 0.0);
    EXPECT_DOUBLE_EQ(position.read(10, playing(2048)), 441.0);
    // The device stops calling back: the position goes on to a period past what was
    // rendered, then only creeps, so that the play list never takes it for the end.
    double last = position.read(20, playing(2048));
    for (int ms = 30; ms < 5000; ms += 10) {
        const double now = position.read(ms, playing(2048));
        ASSERT_GT(now, last);
        ASSERT_LT(now, 2048.0 + 2048.0 + 1.0);
        last = now;
    }
    // It picks up again, never going back.
    EXPECT_GE(position.read(5010, playing(8192)), last);
}

TEST(TrackPosition, StoppedOrEndedItIsExactlyWhatWasRendered) {
    TrackPosition position;
    position.read(0, playing(0));
    position.read(40, playing(4096));
    TrackPosition::Progress ended = playing(441000);
    ended.playing = false;
    EXPECT_EQ(position.read(80, ended), 441000.0);
    EXPECT_EQ(position.read(120, ended), 441000.0);
    // Never past the end while it plays on to it.
    position.reset();
    position.read(200, playing(440000));
    EXPECT_LE(position.read(400, playing(440500)), 441000.0);
}
