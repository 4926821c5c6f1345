// Every JACK client the program keeps (the sound output, the beat clock, the gear's
// pulse, the MIDI pedals' input and its links) around a server that dies and is
// started again. Once the server died, the first client any part opens (the output
// watch tries one every second) makes libjack free every dead client of the process
// by itself: a part that closed its own after that would free it twice.
#include <gtest/gtest.h>

#include "audiodevice/dummyjackserver.h"
#include "beatclock/jackbeatclock.h"
#include "gear/jackpulse.h"
#include "pedals/midicontroller.h"
#include "pedals/midiinput.h"
#include "playback/audioengine.h"

TEST(JackClientsTest, EveryPartLetsGoOfItsClientAfterTheServerDiedAndJoinsItsReturn) {
    DummyJackServer server(44100);
    START_SERVER(server);
    AudioOptions options;
    options.device = QStringLiteral("JACK Audio Connection Kit: system");
    std::unique_ptr<AudioEngine> engine = openOnJack(options);
    NEED_ENGINE(engine, server);
    JackBeatClock clock(engine->timeline());
    JackPulse pulse;
    MidiInput pedals(MidiSystem::Api::Jack);
    {
        MidiController controller;
        ASSERT_TRUE(clock.open());
        ASSERT_TRUE(pulse.join());
        ASSERT_TRUE(pedals.open(QStringLiteral("Pedaliera:pedals")));
    }
    if (!server.crash()) {
        GTEST_SKIP() << "Skipped: the server runs outside this test";
    }
    ASSERT_TRUE(
        runUntil([&] { return clock.gone() && pulse.gone() && pedals.serverGone(); }, 3000));
    EXPECT_FALSE(pedals.stillThere());
    // The output watch's look comes first: its new client finds no server.
    ASSERT_TRUE(runUntil([&] { return engine->outputFailed(); }, 3000));
    EXPECT_FALSE(engine->restartOutput());
    clock.close();
    pulse.leave();
    pedals.close();

    ASSERT_TRUE(server.startAgain());
    ASSERT_TRUE(runUntil([&] { return engine->restartOutput(); }, 5000));
    EXPECT_TRUE(clock.open());
    EXPECT_TRUE(pulse.join());
    MidiController controller;
    EXPECT_TRUE(pedals.open(QStringLiteral("Pedaliera:pedals")));
    EXPECT_TRUE(pedals.stillThere());
    EXPECT_FALSE(pedals.serverGone());
    pedals.close();
    pulse.leave();
    clock.close();
    engine.reset();  // before the server goes
}
