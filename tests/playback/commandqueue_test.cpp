// The engine's commands when the audio side falls behind (a stalled device): none is
// lost, they arrive in the order they were given, and the last of them arrives
// without waiting for yet another command.
#include <gtest/gtest.h>

#include <QTemporaryDir>

#include "platform/manualclock.h"
#include "playback/audioengine.h"
#include "playback/groovecache.h"
#include "support/pulledoutput.h"
#include "support/testaudio.h"

using namespace testaudio;

namespace {

// The device comes back: it pulls a period, and the GUI thread's timers run between
// its periods, as they would while the device plays on.
void resume(ManualClock& clock, PulledOutput& device, int periods) {
    for (int i = 0; i < periods; ++i) {
        clock.advance(6);
        device.pull(256);
    }
}

}  // namespace

TEST(CommandQueue, CommandsBeyondAFullQueueReachTheSoundInOrderWithoutAnotherCommand) {
    QTemporaryDir dir;
    ManualClock clock;
    auto output = std::make_unique<PulledOutput>();
    PulledOutput& device = *output;
    AudioEngine engine(std::move(output), AudioOptions{});
    engine.setClock(clock);
    const auto a = engine.grooveCache().waitFor(writeWav(dir.filePath("a.wav"), 4000, noise(0.5f)));
    const auto b =
        engine.grooveCache().waitFor(writeWav(dir.filePath("b.wav"), 8000, noise(0.5f, 2)));
    ASSERT_TRUE(a && b);
    engine.playGroove(a);
    device.pull(256);

    // The device stalls while volume keys and pedals go on: three queues' worth of
    // commands, the last of them a new groove at full level.
    for (int i = 0; i < 3000; ++i) {
        engine.setGrooveLevel(i % 2 == 0 ? 20000 : 40000);
    }
    engine.playGroove(b);
    engine.setGrooveLevel(65535);
    resume(clock, device, 8);
    // Groove b has replaced a, from its first frame at the start of one of those
    // periods, and plays at full level.
    const std::vector<float> out = device.pull(1000);
    bool found = false;
    for (int period = 1; period <= 8 && !found; ++period) {
        const auto from = b->samples.begin() + period * 256 * 2;
        found = mismatches(out, std::vector<float>(from, from + 1000 * 2)) == 0;
    }
    EXPECT_TRUE(found);

    // Stalled again, ending with a stop: the stop comes through on its own.
    for (int i = 0; i < 2500; ++i) {
        engine.setGrooveLevel(i % 2 == 0 ? 65535 : 60000);
    }
    engine.stopGroove();
    resume(clock, device, 8);
    EXPECT_FALSE(engine.grooveSounding());
    EXPECT_EQ(peak(device.pull(1000)), 0.0f);
}
