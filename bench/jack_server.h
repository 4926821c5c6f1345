#pragma once

// A JACK server on the dummy driver for the benchmarks, paced like a sound card,
// under a name of its own; the clients made afterwards join it.
#include <QProcess>
#include <QStandardPaths>
#include <QString>
#include <QStringList>

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
