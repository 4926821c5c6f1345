#pragma once

// The performer's foot in the MIDI pedal benchmark, on a thread of its own: it
// starts the groove with a press, stops it with the next, and judges each starting
// press by what JACK heard, never by what the program's windows show, so that a
// stalled GUI thread cannot hold the foot back or hide a late sound. A press is
// heard when its sound comes before the next press would be due (the window);
// a press that never sounds in that time is lost.
#include <chrono>
#include <functional>
#include <string>
#include <thread>

#include "jack_pedal_client.h"
#include "press_figures.h"

class PressDriver {
public:
    struct Timing {
        int holdMs = 40;        // from a press to its release
        int settleMs = 150;     // after a press's sound came or went: the lock-out and more
        int windowMs = 1000;    // the longest a press may take to sound before the next is due
        int silenceMs = 30;     // this long without an audible sample: the program is silent
        int stopAttempts = 10;  // presses that may be lost before the sound is given up
    };

    // `inStall` says (from this thread) whether the GUI thread sleeps right now; `tell`
    // is given a line about each press lost (on this thread).
    PressDriver(JackPedalClient& jack, int period, int rate, std::function<bool()> inStall,
                std::function<void(const std::string&)> tell, Timing timing)
        : jack_(jack),
          period_(period),
          framesPerMs_(rate / 1000.0),
          inStall_(std::move(inStall)),
          tell_(std::move(tell)),
          timing_(timing) {}

    // Plays `presses` measured presses; empty error() when the program could be
    // brought back to silence after each.
    PressFigures run(int presses) {
        PressFigures figures;
        for (int i = 0; i < presses; ++i) {
            if (!bringSilence()) {
                break;
            }
            pause(timing_.settleMs);
            const std::int64_t sentAt = jack_.send(100);
            const bool stalled = inStall_();
            pause(timing_.holdMs);
            jack_.send(0);
            const std::int64_t window = frames(timing_.windowMs);
            while (jack_.heardAt() < 0 && jack_.now() - sentAt <= window) {
                pause(1);
            }
            const std::int64_t heardAt = jack_.heardAt();
            if (heardAt >= 0 && heardAt - sentAt <= window) {
                const double beyond = double(heardAt - sentAt - period_) / framesPerMs_;
                figures.heard(beyond, stalled);
                // JACK tells of a late cycle a little after it: look a few periods on.
                pause(20);
                const bool xrun = jack_.xrunBetween(sentAt - period_, heardAt + frames(15));
                (beyond > 1.0 ? figures.lateWithXrun : figures.onTimeWithXrun) += xrun ? 1 : 0;
            } else {
                figures.notHeard(stalled);
                pause(timing_.windowMs);  // a sound that still comes is stopped below
                const std::int64_t late = jack_.heardAt();
                std::string line = "press " + std::to_string(i) + " not heard";
                line += stalled ? " (sent during a stall)" : "";
                if (late >= 0) {
                    line += ", it sounded " +
                            std::to_string(int(double(late - sentAt) / framesPerMs_)) +
                            " ms after it was sent";
                }
                tell_(line);
            }
            pause(timing_.settleMs);
        }
        bringSilence();
        return figures;
    }

    const std::string& error() const { return error_; }

private:
    // Presses until the program is silent, unless it is already.
    bool bringSilence() {
        const std::int64_t silence = frames(timing_.silenceMs);
        for (int attempt = 0; attempt < timing_.stopAttempts; ++attempt) {
            if (jack_.silentFor(silence)) {
                return true;
            }
            jack_.send(100);
            pause(timing_.holdMs);
            jack_.send(0);
            const auto give =
                std::chrono::steady_clock::now() + std::chrono::milliseconds(timing_.windowMs);
            while (!jack_.silentFor(silence) && std::chrono::steady_clock::now() < give) {
                pause(1);
            }
            pause(timing_.settleMs);
        }
        if (jack_.silentFor(silence)) {
            return true;
        }
        error_ = "the program's sound would not stop";
        return false;
    }

    std::int64_t frames(int ms) const { return std::int64_t(ms * framesPerMs_); }
    static void pause(int ms) { std::this_thread::sleep_for(std::chrono::milliseconds(ms)); }

    JackPedalClient& jack_;
    int period_;
    double framesPerMs_;
    std::function<bool()> inStall_;
    std::function<void(const std::string&)> tell_;
    Timing timing_;
    std::string error_;
};
