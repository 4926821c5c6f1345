#pragma once

// The figures of one case of the MIDI pedal benchmark: for each press heard, how
// long beyond the period it arrived in it took to the first audible sample; the
// presses never heard before the next one was due; and, when the GUI thread was
// stalled on purpose, the presses sent while it slept. Printed as one row of a
// Markdown table.
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <vector>

struct PressFigures {
    std::vector<double> beyondMs;         // every press heard
    std::vector<double> stalledBeyondMs;  // those of them sent during a stall
    int lost = 0;
    int lostInStall = 0;
    int xruns = 0;           // cycles the JACK server saw a client late for during the case
    int lateWithXrun = 0;    // presses more than 1 ms late with a late cycle told around them
    int onTimeWithXrun = 0;  // the others with a late cycle told around them

    void heard(double ms, bool inStall) {
        beyondMs.push_back(ms);
        if (inStall) {
            stalledBeyondMs.push_back(ms);
        }
    }
    void notHeard(bool inStall) {
        ++lost;
        lostInStall += inStall ? 1 : 0;
    }
    int presses() const { return int(beyondMs.size()) + lost; }

    static double percentile(std::vector<double> v, double p) {
        if (v.empty()) {
            return NAN;
        }
        std::sort(v.begin(), v.end());
        return v[std::min(v.size() - 1, std::size_t(std::floor(p * double(v.size() - 1) + 0.5)))];
    }

    static void printHeader() {
        std::printf(
            "MIDI pedal to the first audible sample, in ms beyond the period the note arrived "
            "in\n\n"
            "| Period | Rate | Machine | Load average | Presses | Median | p99 | Worst | Not "
            "heard | JACK xruns | During a stall: sent / stalls / not heard / median / worst |\n"
            "|---|---|---|---|---|---|---|---|---|---|---|\n");
        std::fflush(stdout);
    }

    // One row; `stalls` < 0 for a case without stalls.
    void printRow(int period, int rate, const char* machine, double load, int stalls) const {
        std::printf("| %d frames | %.1f kHz | %s | %.2f | %d | %.3f | %.3f | %.3f | %d | %d | ",
                    period, rate / 1000.0, machine, load, presses(), percentile(beyondMs, 0.5),
                    percentile(beyondMs, 0.99), percentile(beyondMs, 1.0), lost, xruns);
        if (stalls < 0) {
            std::printf("- |\n");
        } else {
            std::printf("%zu / %d / %d / %.3f / %.3f |\n",
                        stalledBeyondMs.size() + std::size_t(lostInStall), stalls, lostInStall,
                        percentile(stalledBeyondMs, 0.5), percentile(stalledBeyondMs, 1.0));
        }
        const auto late =
            std::count_if(beyondMs.begin(), beyondMs.end(), [](double ms) { return ms > 1.0; });
        if (late > 0) {
            std::printf(
                "  more than 1 ms late: %ld presses, %d of them with a cycle JACK told late "
                "between the note and its sound (of the others: %d of %ld)\n",
                long(late), lateWithXrun, onTimeWithXrun, long(beyondMs.size()) - long(late));
        }
        std::fflush(stdout);
    }
};
