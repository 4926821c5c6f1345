#pragma once

#include <QString>

// Keeps the show going through a crash when "Riprendi suonando dopo un arresto" is
// ticked: the program started by the user becomes a small watcher (no window, no
// sound, no display of its own) and runs the real program as its child, with the
// same arguments. When the child ends by itself ("Esci", a second start handed over
// to the first) or is stopped on purpose (SIGTERM, SIGINT, SIGHUP, as a logout
// does), the watcher ends with it. When it crashes or is killed, the watcher starts
// it again at once; the new program finds the show kept beside its settings and
// sounds again from there. A program that crashes again within a minute is not
// started a third time: the watcher leaves a note beside the settings, and the next
// start tells the user why. Signals asking the watcher to stop are passed on to the
// program. POSIX only; nothing here touches Qt's event loop.
class Watcher {
public:
    // Set in the environment of the program the watcher runs.
    static constexpr const char* kWatchedVariable = "QUINTORA_SORVEGLIATO";
    // Set as well when the watcher starts the program again after a crash.
    static constexpr const char* kRestartVariable = "QUINTORA_RIAVVIATO";
    // A second crash within this many seconds of the first is not restarted.
    static constexpr double kCrashWindowSeconds = 60;

    // Whether this program is the watcher's child.
    static bool watched();
    // Whether the watcher started this program again after a crash: only then does
    // the song sound again by itself (a start by the user, even after a power loss,
    // comes back silent).
    static bool restarted();
    // Whether the settings at configPath ask for the watcher.
    static bool wanted(const QString& configPath);
    // Runs the program (argv as this one was started with) under watch until it ends;
    // the exit status to end with, or -1 when the program could not be started (this
    // process should then run the program itself, unwatched).
    static int run(char** argv, const QString& configPath);

    // Whether a child's wait status is a crash to restart after (a signal other
    // than the ones that ask a program to stop), rather than an end.
    static bool isCrash(int waitStatus);
    // Whether a crash at nowSeconds is restarted, the one before it at lastSeconds
    // (negative: none).
    static bool restarts(double lastSeconds, double nowSeconds);

    // The note beside the configuration file (QuintoraArresti.txt for Quintora.ini).
    static QString notePath(const QString& configPath);
    // The text the note holds, for the user.
    static QString gaveUpText();
    // The note left for this start, removed as it is read: its text, or empty.
    static QString takeNote(const QString& configPath);
};
