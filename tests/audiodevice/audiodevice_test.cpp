// The engine on a real PortAudio device: a JACK server with its dummy driver (paced
// like a sound card, no hardware needed), started here under a name of its own so
// that nothing else on the machine is disturbed. Its own test program, so PortAudio
// is initialised in a fresh process after the server is up.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <chrono>
#include <thread>

#include "platform/realclock.h"
#include "playback/audioengine.h"
#include "playback/enginegroovesound.h"
#include "playback/enginemediaplayer.h"
#include "playback/groovecache.h"

#include <sndfile.h>

#include <QFile>

#include <cmath>
#include <vector>
#include "support/testaudio.h"

namespace {

// A JACK server on the dummy driver at rate and period (frames), for the life of the
// object.
class DummyJackServer {
public:
    explicit DummyJackServer(int rate, int period = 256)
        : name_(QStringLiteral("quintora_test_%1_%2_%3")
                    .arg(QCoreApplication::applicationPid())
                    .arg(rate)
                    .arg(period)),
          rate_(rate),
          period_(period) {}
    ~DummyJackServer() {
        if (process_.state() != QProcess::NotRunning) {
            process_.terminate();
            if (!process_.waitForFinished(3000)) {
                process_.kill();
                process_.waitForFinished(3000);
            }
        }
    }

    // Starts jackd and waits until it serves; on failure, why() says what went wrong.
    // With QUINTORA_JACK_SERVERS set (scripts/tsan.sh does), the servers run already,
    // started outside this process, as "<that prefix>_<rate>" (256 frames) or
    // "<that prefix>_<rate>_<period>".
    bool start() {
        const QString external = qEnvironmentVariable("QUINTORA_JACK_SERVERS");
        if (!external.isEmpty()) {
            name_ = external + QStringLiteral("_%1").arg(rate_);
            if (period_ != 256) {
                name_ += QStringLiteral("_%1").arg(period_);
            }
            confirmed_ = true;
            qputenv("JACK_DEFAULT_SERVER", name_.toUtf8());
            qputenv("JACK_NO_START_SERVER", "1");
            return true;
        }
        const QString jackd = QStandardPaths::findExecutable(QStringLiteral("jackd"));
        if (jackd.isEmpty()) {
            why_ = "jackd is not installed";
            return false;
        }
        process_.setProcessChannelMode(QProcess::MergedChannels);
        process_.start(jackd,
                       {QStringLiteral("-n"), name_, QStringLiteral("--no-realtime"),
                        QStringLiteral("-d"), QStringLiteral("dummy"), QStringLiteral("-r"),
                        QString::number(rate_), QStringLiteral("-p"), QString::number(period_)});
        if (!process_.waitForStarted(5000)) {
            why_ = "jackd could not be started: " + process_.errorString().toStdString();
            return false;
        }
        // jack_wait (shipped with jackd) returns once the server serves clients.
        const QString jackWait = QStandardPaths::findExecutable(QStringLiteral("jack_wait"));
        confirmed_ = false;
        if (!jackWait.isEmpty()) {
            QProcess wait;
            wait.setProcessChannelMode(QProcess::MergedChannels);
            wait.start(jackWait, {QStringLiteral("-s"), name_, QStringLiteral("-w"),
                                  QStringLiteral("-t"), QStringLiteral("10")});
            confirmed_ = wait.waitForFinished(15000) && wait.exitCode() == 0;
        }
        // jack_wait sometimes gives up at once while servers start side by side; the
        // caller then retries opening the device for a while.
        if (process_.state() == QProcess::NotRunning) {
            why_ = "jackd stopped: " + process_.readAll().right(300).toStdString();
            return false;
        }
        qputenv("JACK_DEFAULT_SERVER", name_.toUtf8());
        qputenv("JACK_NO_START_SERVER", "1");
        return true;
    }
    int period() const { return period_; }
    // Ends the server as a crash would (false when it runs outside this process).
    bool crash() {
        if (process_.state() == QProcess::NotRunning) {
            return false;
        }
        process_.kill();
        return process_.waitForFinished(3000);
    }
    // Starts a crashed server again under its name (which also frees its place in
    // JACK's own list of servers when it ends properly).
    bool startAgain() {
        const bool ok = start();
        confirmed_ = ok;
        return ok;
    }
    // Whether jack_wait saw the server serve clients.
    bool confirmed() const { return confirmed_; }
    const std::string& why() const { return why_; }

private:
    QString name_;
    int rate_;
    int period_;
    QProcess process_;
    bool confirmed_ = false;
    std::string why_;
};

// An engine on the server's PortAudio device, retried while the server comes up;
// null when none opened.
std::unique_ptr<AudioEngine> openOnJack(const AudioOptions& options) {
    for (int attempt = 0; attempt < 40; ++attempt) {
        std::unique_ptr<AudioEngine> engine = makeAudioEngine(options);
        if (engine->errorText().isEmpty()) {
            return engine;
        }
        engine.reset();
        std::this_thread::sleep_for(std::chrono::milliseconds(250));
    }
    return nullptr;
}

#define START_SERVER(server)                                                                   \
    if (!(server).start()) {                                                                   \
        GTEST_SKIP() << "Skipped: no JACK dummy server to play on (" << (server).why() << ")"; \
    }

#define NEED_ENGINE(engine, server)                                                        \
    if (!(engine) && !(server).confirmed()) {                                              \
        GTEST_SKIP() << "Skipped: the JACK dummy server did not take clients within 10 s"; \
    }                                                                                      \
    ASSERT_TRUE(engine) << "jackd serves, but no PortAudio device opened on it"

// Waits (bounded) until the device has called the engine more than count times.
void awaitCallbacks(const AudioEngine& engine, std::int64_t count) {
    for (int i = 0; i < 300 && engine.callbackCount() <= count; ++i) {
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
}

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
