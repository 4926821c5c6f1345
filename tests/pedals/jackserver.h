#pragma once

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QProcess>
#include <QStandardPaths>
#include <QThread>
#include <string>

#include "pedals/midisystem.h"

// One JACK server on the dummy driver (paced like a sound card, 256 frames) for
// the whole test program, started on first use under a name of its own, so that
// MIDI runs between the test's controller and the program without any hardware.
// With QUINTORA_JACK_SERVERS set (scripts/tsan.sh), a server started outside
// serves as "<prefix>_44100".
class JackServer : public ::testing::Environment {
public:
    // The server, started if need be; false (with why()) when jackd cannot run.
    static bool ready() {
        static JackServer* server = [] {
            auto* s = new JackServer;
            ::testing::AddGlobalTestEnvironment(s);
            s->start();
            return s;
        }();
        return server->ok_;
    }
    static std::string why() { return why_; }

    void TearDown() override {
        if (process_.state() != QProcess::NotRunning) {
            process_.terminate();
            if (!process_.waitForFinished(3000)) {
                process_.kill();
                process_.waitForFinished(3000);
            }
        }
    }

private:
    void start() {
        MidiSystem::setPreferred(MidiSystem::Api::Jack);
        const QString external = qEnvironmentVariable("QUINTORA_JACK_SERVERS");
        QString name = QStringLiteral("quintora_midi_%1").arg(QCoreApplication::applicationPid());
        if (!external.isEmpty()) {
            name = external + QStringLiteral("_44100");
        } else {
            const QString jackd = QStandardPaths::findExecutable(QStringLiteral("jackd"));
            if (jackd.isEmpty()) {
                why_ = "jackd is not installed";
                return;
            }
            process_.setProcessChannelMode(QProcess::MergedChannels);
            // Synchronous, with a long client time-out: on a loaded machine a late
            // client is waited for instead of losing that period's MIDI.
            process_.start(jackd,
                           {QStringLiteral("-n"), name, QStringLiteral("--no-realtime"),
                            QStringLiteral("-S"), QStringLiteral("-t"), QStringLiteral("5000"),
                            QStringLiteral("-d"), QStringLiteral("dummy"), QStringLiteral("-r"),
                            QStringLiteral("44100"), QStringLiteral("-p"), QStringLiteral("256")});
            if (!process_.waitForStarted(5000)) {
                why_ = "jackd could not be started";
                return;
            }
            // jack_wait sometimes gives up at once while servers start side by side:
            // ask again until the server answers (at most ten seconds).
            const QString jackWait = QStandardPaths::findExecutable(QStringLiteral("jack_wait"));
            for (int attempt = 0; !jackWait.isEmpty() && attempt < 40; ++attempt) {
                QProcess wait;
                wait.setProcessChannelMode(QProcess::MergedChannels);
                wait.start(jackWait, {QStringLiteral("-s"), name, QStringLiteral("-c")});
                wait.waitForFinished(5000);
                const QByteArray said = wait.readAll();
                if (said.contains("running") && !said.contains("not running")) {
                    break;
                }
                if (process_.state() == QProcess::NotRunning) {
                    break;
                }
                QThread::msleep(250);
            }
            if (process_.state() == QProcess::NotRunning) {
                why_ = "jackd stopped: " + process_.readAll().right(300).toStdString();
                return;
            }
        }
        qputenv("JACK_DEFAULT_SERVER", name.toUtf8());
        qputenv("JACK_NO_START_SERVER", "1");
        ok_ = true;
    }

    QProcess process_;
    bool ok_ = false;
    static inline std::string why_;
};

#define NEED_JACK()                                                                         \
    do {                                                                                    \
        if (!JackServer::ready()) {                                                         \
            GTEST_SKIP() << "Skipped: no JACK dummy server for MIDI (" << JackServer::why() \
                         << ")";                                                            \
        }                                                                                   \
    } while (false)
