// The engine on a real PortAudio device (the default one): a JACK server with its
// dummy driver. Its own test program, so PortAudio is initialised in a fresh process
// after the server is up.
#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QTemporaryDir>
#include <chrono>
#include <thread>

#include "audiodevice/dummyjackserver.h"
#include "platform/realclock.h"
#include "playback/audioengine.h"
#include "playback/enginegroovesound.h"
#include "playback/enginemediaplayer.h"
#include "playback/groovecache.h"
#include "support/testaudio.h"

namespace {

// Plays a groove on a dummy JACK server at rate and checks that the device pulled it.
void playGrooveOnJack(int rate) {
    DummyJackServer server(rate);
    START_SERVER(server);
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString groove =
        testaudio::writeWav(dir.filePath("groove.wav"), 22050, testaudio::sine(441, 0.5f));
    AudioOptions options;
    options.bufferFrames = 256;
    std::unique_ptr<AudioEngine> engine = openOnJack(options);
    NEED_ENGINE(engine, server);
    const QString description = engine->outputDescription();
    EXPECT_TRUE(description.contains(QStringLiteral("JACK"))) << description.toStdString();
    EXPECT_TRUE(description.contains(QStringLiteral("%1 Hz").arg(rate)))
        << description.toStdString();

    EngineGrooveSound sound(*engine);
    ASSERT_TRUE(engine->grooveCache().waitFor(groove));
    sound.play(groove);
    // Wait (bounded) until the engine has made half a second of sound.
    const std::int64_t start = engine->framesRendered();
    for (int i = 0; i < 300 && engine->framesRendered() - start < 22050; ++i) {
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    EXPECT_GE(engine->framesRendered() - start, 22050);
    EXPECT_GT(engine->callbackCount(), 10);
    EXPECT_TRUE(engine->grooveSounding());
    sound.stop();

    // An MP3 on the device: its position moves between any two looks, however close.
    RealClock clock;
    EngineMediaPlayer player(*engine, &clock);
    player.setFileName(
        testaudio::writeMp3(dir.filePath("track.mp3"), 22050, testaudio::sine(330, 0.5f)));
    player.setPosition(0);
    player.play();
    double last = player.position();
    for (int i = 0; i < 40 && player.isPlaying(); ++i) {
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
        const double now = player.position();
        if (player.isPlaying()) {
            EXPECT_GT(now, last) << "look " << i;
        }
        last = now;
    }
    engine.reset();  // closes the stream and PortAudio before the server goes
}

}  // namespace

TEST(AudioDeviceTest, GroovePlaysThroughPortAudioOnAJackServer) {
    playGrooveOnJack(44100);
}

// A device at another rate gets the engine's 44100 Hz through the resampler.
TEST(AudioDeviceTest, GroovePlaysOnADeviceAtAnotherRate) {
    playGrooveOnJack(48000);
}

// An automatic buffer follows the server's period, whatever it is; a size the user
// chose is kept.
TEST(AudioDeviceTest, AnAutomaticBufferFollowsTheServersPeriod) {
    const struct {
        int serverPeriod;
        int buffer;
        int inForce;
    } cases[] = {
        {64, AudioOptions::kAutomaticFrames, 64},
        {64, 256, 256},
        {512, AudioOptions::kAutomaticFrames, 512},
    };
    std::unique_ptr<DummyJackServer> server;
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "server " << c.serverPeriod << ", buffer " << c.buffer);
        if (!server || server->period() != c.serverPeriod) {
            server.reset();
            server = std::make_unique<DummyJackServer>(44100, c.serverPeriod);
            START_SERVER(*server);
        }
        AudioOptions options;
        options.bufferFrames = c.buffer;
        std::unique_ptr<AudioEngine> engine = openOnJack(options);
        NEED_ENGINE(engine, *server);
        EXPECT_EQ(engine->bufferFrames(), c.buffer);
        awaitCallbacks(*engine, 10);
        EXPECT_EQ(engine->periodInForce(), c.inForce);
        EXPECT_EQ(engine->periodFrames(), c.inForce);
        engine.reset();  // before the server goes
    }
}

// A JACK server that dies under the program and is started again: ending the sound
// ("Esci", another device chosen) returns at once and never aborts (PortAudio's own
// end would wait without end, or abort on the dead server's client). PortAudio is
// then left alone for the rest of the process (so this test comes last): the program
// goes on without sound.
TEST(AudioDeviceTest, AServerThatDiesNeverHoldsOrAbortsTheProgramsEnd) {
    DummyJackServer server(44100);
    START_SERVER(server);
    AudioOptions options;
    options.bufferFrames = 256;
    std::unique_ptr<AudioEngine> engine = openOnJack(options);
    NEED_ENGINE(engine, server);
    awaitCallbacks(*engine, 5);
    if (!server.crash()) {
        GTEST_SKIP() << "Skipped: the server runs outside this test";
    }
    ASSERT_TRUE(server.startAgain());
    QElapsedTimer ended;
    ended.start();
    engine.reset();
    EXPECT_LT(ended.elapsed(), 2000);
    EXPECT_FALSE(makeAudioEngine(options)->errorText().isEmpty());
}
