// The beat clock as the gear on stage receives it, through a JACK server: the
// prepared song's count-in as ticks, Start when pedal 1 starts the groove, ticks
// while it sounds, Stop when the pedal stops it; a chosen device plugged in later
// is found by the clock's watch.
#include <gtest/gtest.h>

#include <algorithm>

#include "beatclock/beatclock.h"
#include "beatclock/beatschedule.h"
#include "pedals/jackserver.h"
#include "pedals/midicontroller.h"
#include "playback/audioengine.h"
#include "support/harness.h"
#include "support/testlibrary.h"

namespace {

using Device = MidiController;
using Bytes = MidiController::Bytes;

int count(const std::vector<Bytes>& heard, std::uint8_t byte) {
    return int(std::count(heard.begin(), heard.end(), Bytes{byte}));
}

}  // namespace

TEST(BeatClockOnStage, CountInStartTicksAndStopReachTheGearAndALateDeviceIsFound) {
    NEED_JACK();
    Device drums("Batteria");
    drums.hearClock();
    Harness h;
    BeatClock clock(h.engine()->timeline(), {}, h.clock);
    h.beatClock = &clock;
    clock.setOptions({{drums.lampsPort(), QStringLiteral("Expander_luci:leds")}, true});
    EXPECT_EQ(clock.reached(), QStringList{drums.lampsPort()});
    TestLibrary::install(h);
    h.start();
    TestLibrary::connect(h);

    // "Alba", 120 BPM: its count-in goes out as ticks alone, whole beats of them.
    TestLibrary::prepare(h, QStringLiteral("Alba"));
    Device::waitUntil([&] { return count(drums.lampMessages(), BeatSchedule::kTick) >= 24; });
    Device::waitUntil([] { return false; }, 2500);  // 4 beats at 120 BPM at most
    const std::vector<Bytes> countIn = drums.lampMessages();
    EXPECT_EQ(count(countIn, BeatSchedule::kStart), 0);
    EXPECT_GT(count(countIn, BeatSchedule::kTick), 0);
    EXPECT_EQ(count(countIn, BeatSchedule::kTick) % BeatSchedule::kTicksPerBeat, 0);
    EXPECT_EQ(countIn.size(), std::size_t(count(countIn, BeatSchedule::kTick)));

    // Pedal 1: Start, then the ticks while the groove sounds, then Stop and silence.
    drums.clearLampMessages();
    TestLibrary::tapPedal1(h);
    Device::waitUntil([&] { return count(drums.lampMessages(), BeatSchedule::kTick) >= 12; });
    TestLibrary::tapPedal1(h);
    Device::waitUntil([&] { return count(drums.lampMessages(), BeatSchedule::kStop) > 0; });
    Device::settle();
    const std::vector<Bytes> song = drums.lampMessages();
    ASSERT_FALSE(song.empty());
    EXPECT_EQ(song.front(), Bytes{BeatSchedule::kStart});
    EXPECT_EQ(song.back(), Bytes{BeatSchedule::kStop});
    EXPECT_EQ(count(song, BeatSchedule::kStart), 1);
    EXPECT_EQ(count(song, BeatSchedule::kStop), 1);
    EXPECT_GE(count(song, BeatSchedule::kTick), 12);

    // The expander chosen before it was there is reached within a look of the watch.
    Device expander("Expander");
    h.advance(BeatClock::kWatchMs);
    EXPECT_EQ(clock.reached().size(), 2) << clock.reached().join(u',').toStdString();
}
