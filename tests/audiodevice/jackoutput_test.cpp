// The engine on a JACK server's device, through the program's own JACK client: the
// sound reaches the device's ports at the server's rate and period, and a server that
// dies and is started again is taken up again by the output watch.
#include <gtest/gtest.h>
#include <jack/jack.h>

#include <QElapsedTimer>
#include <QTemporaryDir>
#include <algorithm>
#include <array>
#include <atomic>
#include <cmath>

#include "audiodevice/dummyjackserver.h"
#include "platform/realclock.h"
#include "playback/audioengine.h"
#include "playback/enginegroovesound.h"
#include "playback/groovecache.h"
#include "playback/outputwatch.h"
#include "support/testaudio.h"

namespace {

const QString kSystem = QStringLiteral("JACK Audio Connection Kit: system");

// A JACK client of the test's own listening to the engine's first output ports. Ended
// while its server runs.
class Ear {
public:
    Ear(const QString& engineClient, int ports) : ports_(ports) {
        client_ = jack_client_open("orecchio", JackNoStartServer, nullptr);
        if (client_ == nullptr) {
            return;
        }
        ok_ = true;
        for (int i = 0; i < ports_; ++i) {
            const std::string name = "in_" + std::to_string(i);
            in_[std::size_t(i)] = jack_port_register(client_, name.c_str(), JACK_DEFAULT_AUDIO_TYPE,
                                                     JackPortIsInput, 0);
            ok_ = ok_ && in_[std::size_t(i)] != nullptr;
        }
        ok_ = ok_ && jack_set_process_callback(client_, &Ear::process, this) == 0 &&
              jack_activate(client_) == 0;
        for (int i = 0; ok_ && i < ports_; ++i) {
            ok_ = jack_connect(client_, ourPort(engineClient, i).constData(),
                               jack_port_name(in_[std::size_t(i)])) == 0;
        }
    }
    ~Ear() {
        if (client_ != nullptr) {
            jack_client_close(client_);
        }
    }
    bool ok() const { return ok_; }

    // The loudest sample on each port over the next ms milliseconds.
    std::array<float, 4> loudest(int ms) {
        for (auto& peak : peaks_) {
            peak.store(0.0f);
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(ms));
        std::array<float, 4> heard{};
        for (int i = 0; i < ports_; ++i) {
            heard[std::size_t(i)] = peaks_[std::size_t(i)].load();
        }
        return heard;
    }

    // The ports the engine's output port i feeds, the ear's own left out.
    QStringList feeds(const QString& engineClient, int i) const {
        QStringList names;
        const jack_port_t* port = jack_port_by_name(client_, ourPort(engineClient, i).constData());
        const char** linked = port ? jack_port_get_all_connections(client_, port) : nullptr;
        for (int k = 0; linked != nullptr && linked[k] != nullptr; ++k) {
            if (!QString::fromUtf8(linked[k]).startsWith(QLatin1String("orecchio:"))) {
                names << QString::fromUtf8(linked[k]);
            }
        }
        jack_free(linked);
        return names;
    }

private:
    static QByteArray ourPort(const QString& engineClient, int i) {
        return (engineClient + QStringLiteral(":out_%1").arg(i)).toUtf8();
    }
    static int process(jack_nframes_t frames, void* self) {
        auto* ear = static_cast<Ear*>(self);
        for (int i = 0; i < ear->ports_; ++i) {
            const auto* in =
                static_cast<const float*>(jack_port_get_buffer(ear->in_[std::size_t(i)], frames));
            float peak = ear->peaks_[std::size_t(i)].load();
            for (jack_nframes_t f = 0; f < frames; ++f) {
                peak = std::max(peak, std::abs(in[f]));
            }
            ear->peaks_[std::size_t(i)].store(peak);
        }
        return 0;
    }

    const int ports_;
    jack_client_t* client_ = nullptr;
    std::array<jack_port_t*, 4> in_{};
    std::array<std::atomic<float>, 4> peaks_{};
    bool ok_ = false;
};

}  // namespace

// Whatever the buffer asked for, the sound goes out at the server's period and rate,
// from each of the program's ports to the device's port of the same place: the groove
// on 1-2 and the in-ear click on 3-4, or the groove alone in stereo when the device
// has only two ports.
TEST(JackOutputTest, TheSoundReachesTheDevicesPortsAtTheServersPeriod) {
    const struct {
        int rate;
        int period;
        int playbackPorts;
        int buffer;
        int channels;  // asked for
        int used;      // the device's
    } cases[] = {
        {44100, 256, 2, AudioOptions::kAutomaticFrames, 2, 2},
        {48000, 512, 4, 256, 4, 4},
        {44100, 256, 2, AudioOptions::kAutomaticFrames, 4, 2},
    };
    QTemporaryDir dir;
    const QString groove =
        testaudio::writeWav(dir.filePath("groove.wav"), 44100, testaudio::sine(441, 0.5f));
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.rate << " Hz, " << c.period << " frames, "
                                        << c.channels << " channels asked for");
        DummyJackServer server(c.rate, c.period, c.playbackPorts);
        START_SERVER(server);
        AudioOptions options;
        options.device = kSystem;
        options.bufferFrames = c.buffer;
        std::unique_ptr<AudioEngine> engine = openOnJack(options);
        NEED_ENGINE(engine, server);
        if (c.channels != 2) {
            EXPECT_EQ(engine->reopen(kSystem, c.buffer, c.channels), c.used == c.channels);
        }
        const QString client = engine->outputJackClient();
        ASSERT_FALSE(client.isEmpty());
        awaitCallbacks(*engine, engine->callbackCount() + 5);
        EXPECT_EQ(engine->periodInForce(), c.period);
        EXPECT_EQ(engine->outputRate(), c.rate);
        const QString description = engine->outputDescription();
        EXPECT_TRUE(description.startsWith(kSystem)) << description.toStdString();
        EXPECT_TRUE(description.contains(QStringLiteral("%1 Hz, the server's period").arg(c.rate)))
            << description.toStdString();
        EXPECT_EQ(description.contains(QStringLiteral("256 frames asked for")), c.buffer == 256)
            << description.toStdString();

        EngineGrooveSound sound(*engine);
        ASSERT_TRUE(engine->grooveCache().waitFor(groove));
        sound.play(groove);
        ClickVoice::Schedule clicks;
        clicks.interval = 2205;
        clicks.count = 1000;
        clicks.length = 441;
        clicks.frequency = 1000;
        clicks.gain = 0.5f;
        clicks.route = ClickVoice::kMonitor;
        engine->scheduleClicks(clicks);
        Ear ear(client, c.used);
        ASSERT_TRUE(ear.ok());
        const std::array<float, 4> heard = ear.loudest(400);
        for (int i = 0; i < c.used; ++i) {
            EXPECT_EQ(ear.feeds(client, i),
                      QStringList{QStringLiteral("system:playback_%1").arg(i + 1)})
                << "port " << i;
            EXPECT_GT(heard[std::size_t(i)], 0.2f) << "port " << i;
        }
        engine.reset();  // before the server goes
    }
}

// The performer's case: the JACK server dies mid-song and is started again. The output
// watch says the sound is lost, nothing waits for the dead server, the groove stands
// where the audience stopped hearing it, and once the server serves again the watch
// takes it up within a few seconds: a fresh client, connected as before, the groove
// going on.
TEST(JackOutputTest, AServerStartedAgainIsTakenUpByTheOutputWatch) {
    DummyJackServer server(44100);
    START_SERVER(server);
    QTemporaryDir dir;
    const QString groove =
        testaudio::writeWav(dir.filePath("groove.wav"), 44100, testaudio::sine(441, 0.5f));
    AudioOptions options;
    options.device = kSystem;
    options.bufferFrames = AudioOptions::kAutomaticFrames;
    std::unique_ptr<AudioEngine> engine = openOnJack(options);
    NEED_ENGINE(engine, server);
    RealClock clock;
    engine->setClock(clock);
    OutputWatch watch(*engine, clock);
    QStringList lines;
    QObject::connect(&watch, &OutputWatch::changed,
                     [&lines](const QString& line) { lines << line; });
    EngineGrooveSound sound(*engine);
    ASSERT_TRUE(engine->grooveCache().waitFor(groove));
    sound.play(groove);
    awaitCallbacks(*engine, engine->callbackCount() + 20);
    ASSERT_TRUE(engine->grooveSounding());
    if (!server.crash()) {
        GTEST_SKIP() << "Skipped: the server runs outside this test";
    }
    // Another part of the program (the beat clock, the MIDI pedals) asks for a client
    // before the watch looks: libjack then frees the output's dead client by itself.
    for (int i = 0; i < 300 && !engine->outputFailed(); ++i) {
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    EXPECT_EQ(jack_client_open("altro", JackNoStartServer, nullptr), nullptr);

    ASSERT_TRUE(runUntil([&watch] { return watch.away(); }, 3000));
    EXPECT_EQ(lines, QStringList{OutputWatch::awayText()});
    // Looks that find no server meanwhile return at once and change nothing.
    const std::int64_t stood = engine->grooveFrame();
    QElapsedTimer looks;
    looks.start();
    runUntil([] { return false; }, 2500);
    EXPECT_LT(looks.elapsed(), 3500);
    EXPECT_TRUE(watch.away());
    EXPECT_EQ(engine->grooveFrame(), stood);

    ASSERT_TRUE(server.startAgain());
    QElapsedTimer back;
    back.start();
    ASSERT_TRUE(runUntil([&watch] { return !watch.away(); }, 6000));
    EXPECT_LT(back.elapsed(), 3000);
    EXPECT_EQ(lines, (QStringList{OutputWatch::awayText(), OutputWatch::backText()}));
    const std::int64_t calls = engine->callbackCount();
    awaitCallbacks(*engine, calls + 20);
    EXPECT_GT(engine->callbackCount(), calls + 20);
    EXPECT_EQ(engine->periodInForce(), 256);
    EXPECT_TRUE(engine->grooveSounding());
    EXPECT_NE(engine->grooveFrame(), stood);
    {
        const QString client = engine->outputJackClient();
        Ear ear(client, 2);
        ASSERT_TRUE(ear.ok());
        EXPECT_EQ(ear.feeds(client, 1), QStringList{QStringLiteral("system:playback_2")});
        EXPECT_GT(ear.loudest(300)[1], 0.2f);
    }
    QElapsedTimer ended;
    ended.start();
    engine.reset();
    EXPECT_LT(ended.elapsed(), 2000);
}
