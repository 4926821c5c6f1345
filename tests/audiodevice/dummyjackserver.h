#pragma once

// A JACK server on the dummy driver for the audio device tests (paced like a sound
// card, no hardware needed), started under a name of its own so that nothing else on
// the machine is disturbed, and the engine opened on it.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QStandardPaths>
#include <chrono>
#include <functional>
#include <memory>
#include <string>
#include <thread>

#include "playback/audioengine.h"

// A JACK server on the dummy driver at rate and period (frames), with playback ports
// on its "system" client, for the life of the object.
class DummyJackServer {
public:
    explicit DummyJackServer(int rate, int period = 256, int playback = 2)
        : name_(QStringLiteral("quintora_test_%1_%2_%3_%4")
                    .arg(QCoreApplication::applicationPid())
                    .arg(rate)
                    .arg(period)
                    .arg(playback)),
          rate_(rate),
          period_(period),
          playback_(playback) {}
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
    // "<that prefix>_<rate>_<period>", and "_p<ports>" after either with other than
    // two playback ports.
    bool start() {
        const QString external = qEnvironmentVariable("QUINTORA_JACK_SERVERS");
        if (!external.isEmpty()) {
            name_ = external + QStringLiteral("_%1").arg(rate_);
            if (period_ != 256) {
                name_ += QStringLiteral("_%1").arg(period_);
            }
            if (playback_ != 2) {
                name_ += QStringLiteral("_p%1").arg(playback_);
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
                        QString::number(rate_), QStringLiteral("-p"), QString::number(period_),
                        QStringLiteral("-P"), QString::number(playback_)});
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
    int playback_;
    QProcess process_;
    bool confirmed_ = false;
    std::string why_;
};

// An engine on the server's device, retried while the server comes up;
// null when none opened.
inline std::unique_ptr<AudioEngine> openOnJack(const AudioOptions& options) {
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
    ASSERT_TRUE(engine) << "jackd serves, but no device opened on it"

// Waits (bounded) until the device has called the engine more than count times.
inline void awaitCallbacks(const AudioEngine& engine, std::int64_t count) {
    for (int i = 0; i < 300 && engine.callbackCount() <= count; ++i) {
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
}

// Runs the program's events (an output watch's timer among them) until done() holds,
// for at most ms milliseconds; whether it held.
inline bool runUntil(const std::function<bool()>& done, int ms) {
    QElapsedTimer waited;
    waited.start();
    while (!done()) {
        if (waited.elapsed() > ms) {
            return false;
        }
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    return true;
}
