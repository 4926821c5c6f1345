#pragma once

#include <QProcess>
#include <QProcessEnvironment>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <QTest>

#include "support/harness.h"

// The real program run as a user runs it: on a private X display (Xvfb), played with
// keys typed by xdotool as a keyboard sends them. Tests that use it skip without
// Xvfb or xdotool (RealProgram::missingTools()).

// Processes events until done() holds, for at most a minute; false if it never does.
template <class Done>
bool waitFor(Done done) {
    for (int i = 0; i < 6000 && !done(); ++i) {
        QTest::qWait(10);
    }
    return done();
}

// A private X display, ended with the test.
class XDisplay {
public:
    bool start();
    ~XDisplay();
    const QString& name() const { return name_; }

private:
    QProcess xvfb_;
    QString name_;
};

// The built program with arguments on display; killed when it goes, if still running
// (a watched program with its watcher).
class RealProgram {
public:
    // Why the real program cannot be run here (empty when it can).
    static QString missingTools();

    RealProgram(const XDisplay& display, const QString& runtime, const QStringList& arguments);
    ~RealProgram();
    // The main window's X id, once it is shown.
    bool findWindow();
    // Types a key (xdotool's name for it) into the main window.
    void key(const QString& name);
    void killHard();
    QProcess& process() { return p_; }
    // The program's own process: under the watcher ("Riprendi suonando dopo un
    // arresto") the watcher's child, else the process started; 0 when there is none.
    qint64 programPid() const;

private:
    QProcess p_;
    QProcessEnvironment env_;
    QString window_;
};

// What a run of the real program stands on: a private display, a runtime folder of
// the user's own, and the test library with its settings (the harness's files only:
// its own window is never started).
struct RealStage {
    XDisplay display;
    QTemporaryDir runtime;
    Harness files{Harness::Sound::Recording};

    // Starts the display and installs the library; false when Xvfb did not start.
    bool start();
};
