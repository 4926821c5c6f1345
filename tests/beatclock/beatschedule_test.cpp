// The beat clock's rules, period by period, as a JACK cycle would run them: Start
// and the ticks on the frames they are due whatever the period, a new tempo without
// a jump, Stop on the frame the sound ends, the count-in as ticks alone.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "beatclock/beatschedule.h"

namespace {

struct Heard {
    std::int64_t frame;
    std::uint8_t byte;
};

// Runs the schedule over [from, to) in periods of period frames; timeline(start)
// gives what the engine says at each period, tick(start) the tempo in force.
template <class Timeline, class Tick>
std::vector<Heard> run(BeatSchedule& s, std::int64_t from, std::int64_t to, std::uint32_t period,
                       const BeatSchedule::FrameMap& map, Timeline timeline, Tick tick) {
    std::vector<Heard> heard;
    for (std::int64_t start = from; start < to; start += period) {
        const BeatSchedule::Events e = s.period(start, period, timeline(start), map, tick(start));
        std::uint32_t last = 0;
        for (int i = 0; i < e.count; ++i) {
            EXPECT_GE(e.at[i].offset, last) << "offsets go back";
            EXPECT_LT(e.at[i].offset, period);
            last = e.at[i].offset;
            heard.push_back({start + e.at[i].offset, e.at[i].byte});
        }
    }
    return heard;
}

// The engine's word once the performer's sound began at frame.
TimelineSnapshot playingFrom(std::int64_t frame) {
    TimelineSnapshot t;
    t.starts = 1;
    t.startFrame = frame;
    t.performing = true;
    return t;
}

int count(const std::vector<Heard>& heard, std::uint8_t byte) {
    int n = 0;
    for (const Heard& h : heard) {
        n += h.byte == byte;
    }
    return n;
}

}  // namespace

TEST(BeatSchedule, StartTicksAndStopFallOnTheirFramesWhateverThePeriod) {
    struct Case {
        std::uint32_t period;
        double bpm;
        double ratio;  // output frames per engine frame
    };
    for (const Case c : {Case{64, 120, 1.0}, Case{256, 97.3, 1.0}, Case{1024, 200, 1.0},
                         Case{128, 60, 48000.0 / 44100.0}}) {
        SCOPED_TRACE(testing::Message() << c.period << " frames, " << c.bpm << " BPM");
        const BeatSchedule::FrameMap map{100000, 5000, c.ratio};
        const TimelineSnapshot before;
        // It begins somewhere inside a period.
        const TimelineSnapshot playing = playingFrom(5000 + 12345);
        TimelineSnapshot after = playing;
        after.stops = 1;
        after.stopFrame = playing.startFrame + 44100 * 3;
        after.performing = false;
        const double startAt = map.toOut(playing.startFrame);
        const double stopAt = map.toOut(after.stopFrame);
        // The ticks are counted in the engine's frames and heard in the output's.
        const double engineStep = BeatSchedule::tickFrames(c.bpm, 44100);
        const double step = BeatSchedule::tickFrames(c.bpm, 44100 * c.ratio);
        BeatSchedule s;
        // The news reaches the schedule in the period it happened in.
        const auto timeline = [&](std::int64_t start) {
            const std::int64_t end = start + c.period;
            return end <= std::int64_t(startAt)  ? before
                   : end <= std::int64_t(stopAt) ? playing
                                                 : after;
        };
        const std::vector<Heard> heard = run(s, 100000, 100000 + 44100 * 5, c.period, map, timeline,
                                             [&](std::int64_t) { return engineStep; });
        ASSERT_GE(heard.size(), 3u);
        EXPECT_EQ(heard[0].byte, BeatSchedule::kStart);
        EXPECT_EQ(heard[0].frame, std::int64_t(std::floor(startAt)));
        EXPECT_EQ(heard.back().byte, BeatSchedule::kStop);
        EXPECT_EQ(heard.back().frame, std::int64_t(std::floor(stopAt)));
        EXPECT_EQ(count(heard, BeatSchedule::kStart), 1);
        EXPECT_EQ(count(heard, BeatSchedule::kStop), 1);
        int n = 0;
        for (std::size_t i = 1; i + 1 < heard.size(); ++i) {
            ASSERT_EQ(heard[i].byte, BeatSchedule::kTick);
            EXPECT_EQ(heard[i].frame, std::int64_t(std::floor(startAt + n++ * step)));
        }
        EXPECT_EQ(n, int(std::ceil((stopAt - startAt) / step)));
        EXPECT_FALSE(s.running());
    }
}

TEST(BeatSchedule, ANewTempoHoldsFromTheNextTickAndLateNewsGoesOutAtOnce) {
    const BeatSchedule::FrameMap map{0, 0, 1.0};
    const double slow = BeatSchedule::tickFrames(100, 44100);
    const double fast = BeatSchedule::tickFrames(150, 44100);
    const TimelineSnapshot playing = playingFrom(300);
    {
        // A clock switched on mid-song joins the song's grid, without a Start.
        BeatSchedule s;
        const std::vector<Heard> heard = run(
            s, 512, 1024 * 4, 256, map, [&](std::int64_t) { return playing; },
            [&](std::int64_t) { return slow; });
        ASSERT_FALSE(heard.empty());
        EXPECT_EQ(count(heard, BeatSchedule::kStart), 0);
        EXPECT_EQ(heard[0].frame, std::int64_t(std::floor(300 + slow)));
    }
    BeatSchedule s;
    const std::int64_t change = 44100;
    // The start at frame 300 is heard of only in the period from 512.
    const std::vector<Heard> heard = run(
        s, 0, 2 * 44100, 256, map,
        [&](std::int64_t start) { return start < 512 ? TimelineSnapshot{} : playing; },
        [&](std::int64_t start) { return start < change ? slow : fast; });
    ASSERT_GE(heard.size(), 2u);
    EXPECT_EQ(heard[0].byte, BeatSchedule::kStart);
    EXPECT_EQ(heard[0].frame, 512);
    EXPECT_EQ(heard[1].frame, 512);  // its first tick beside it
    // The grid stays the groove's: the next tick where the groove has it.
    EXPECT_EQ(heard[2].frame, std::int64_t(std::floor(300 + slow)));
    std::vector<double> gaps;
    for (std::size_t i = 3; i < heard.size(); ++i) {
        gaps.push_back(double(heard[i].frame - heard[i - 1].frame));
    }
    // Every gap is a whole tick of one tempo or the other: none shorter, none torn.
    int slowGaps = 0, fastGaps = 0;
    for (double g : gaps) {
        if (std::fabs(g - slow) <= 1) {
            ++slowGaps;
        } else if (std::fabs(g - fast) <= 1) {
            ++fastGaps;
        } else {
            ADD_FAILURE() << "a gap of " << g << " frames";
        }
    }
    EXPECT_GT(slowGaps, 30);
    EXPECT_GT(fastGaps, 50);
    // The first fast gap follows the last slow one.
    const auto firstFast =
        std::find_if(gaps.begin(), gaps.end(), [&](double g) { return std::fabs(g - fast) <= 1; });
    EXPECT_TRUE(
        std::all_of(firstFast, gaps.end(), [&](double g) { return std::fabs(g - fast) <= 1; }));
}

TEST(BeatSchedule, TheCountInIsTicksAloneAndNoTempoStartsNothing) {
    const BeatSchedule::FrameMap map{0, 0, 1.0};
    const double step = BeatSchedule::tickFrames(120, 44100);
    {
        BeatSchedule s;
        s.countIn(1000, 4);
        const std::vector<Heard> heard = run(
            s, 1000, 1000 + 5 * 44100, 256, map, [](std::int64_t) { return TimelineSnapshot{}; },
            [&](std::int64_t) { return step; });
        EXPECT_EQ(count(heard, BeatSchedule::kTick), 4 * BeatSchedule::kTicksPerBeat);
        EXPECT_EQ(count(heard, BeatSchedule::kStart), 0);
        EXPECT_EQ(heard.front().frame, 1000);
    }
    {
        // A song without a tempo: its sound starts and stops, the clock stays quiet.
        BeatSchedule s;
        const TimelineSnapshot playing = playingFrom(500);
        TimelineSnapshot stopped = playing;
        stopped.stops = 1;
        stopped.stopFrame = 20000;
        stopped.performing = false;
        const std::vector<Heard> heard = run(
            s, 0, 44100, 256, map,
            [&](std::int64_t start) { return start < 20000 ? playing : stopped; },
            [](std::int64_t) { return 0.0; });
        EXPECT_TRUE(heard.empty());
        EXPECT_EQ(BeatSchedule::tickFrames(0, 44100), 0);
    }
}

TEST(BeatSchedule, AfterTheOutputLostPeriodsTheTicksStayWithTheGroove) {
    // The server stalled: from frame 20480 on, each engine frame is heard 4096
    // output frames later than before. The ticks follow the groove, not the old grid.
    const double step = BeatSchedule::tickFrames(120, 44100);
    const TimelineSnapshot playing = playingFrom(1000);
    BeatSchedule s;
    s.period(0, 256, TimelineSnapshot{}, {0, 0, 1.0}, step);
    std::vector<Heard> heard;
    for (std::int64_t start = 256; start < 44100; start += 256) {
        const BeatSchedule::FrameMap map{start < 20480 ? 0 : 4096, 0, 1.0};
        const BeatSchedule::Events e = s.period(start, 256, playing, map, step);
        for (int i = 0; i < e.count; ++i) {
            heard.push_back({start + e.at[i].offset, e.at[i].byte});
        }
    }
    ASSERT_GT(heard.size(), 20u);
    int n = 0;
    for (std::size_t i = 1; i < heard.size(); ++i) {
        const double engine = 1000 + n++ * step;
        const double expected = engine < 20480 ? engine : engine + 4096;
        EXPECT_EQ(heard[i].frame, std::int64_t(std::floor(expected))) << "tick " << n - 1;
    }
}
