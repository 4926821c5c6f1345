#pragma once

// A JACK server on the dummy driver for the benchmarks, paced like a sound card,
// under a name of its own; the clients made afterwards join it.
#include <QProcess>
#include <QStandardPaths>
#include <QString>
#include <QStringList>
#include <chrono>
#include <cstdio>
#include <memory>
#include <thread>

#include "playback/audioengine.h"
#include "playback/audiooptions.h"

inline bool startJack(QProcess& jackd, const QString& name, int period, int rate = 44100,
                      bool realTime = false) {
    const QString exe = QStandardPaths::findExecutable(QStringLiteral("jackd"));
    if (exe.isEmpty()) {
        return false;
    }
    jackd.start(exe, {"-n", name, realTime ? "--realtime" : "--no-realtime", "-d", "dummy", "-r",
                      QString::number(rate), "-p", QString::number(period)});
    if (!jackd.waitForStarted(5000)) {
        return false;
    }
    QProcess wait;
    wait.start(QStandardPaths::findExecutable(QStringLiteral("jack_wait")),
               {"-s", name, "-w", "-t", "10"});
    wait.waitForFinished(15000);
    qputenv("JACK_DEFAULT_SERVER", name.toUtf8());
    qputenv("JACK_NO_START_SERVER", "1");
    return jackd.state() == QProcess::Running;
}

// The program's audio engine on the server just started, once PortAudio sees it (it
// may take a few tries); null, with a line saying so, when it never does.
inline std::unique_ptr<AudioEngine> engineOnJack(const AudioOptions& options) {
    for (int attempt = 0; attempt < 40; ++attempt) {
        std::unique_ptr<AudioEngine> engine = makeAudioEngine(options);
        if (engine->errorText().isEmpty() && !engine->outputJackClient().isEmpty()) {
            return engine;
        }
        engine.reset();
        std::this_thread::sleep_for(std::chrono::milliseconds(250));
    }
    std::printf("skipped: no PortAudio device on the JACK server\n");
    return nullptr;
}
