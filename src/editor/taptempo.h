#pragma once

#include <deque>

// The tempo of taps: the average interval of the last taps (up to kTaps), started
// afresh after a pause longer than kPauseMs. No widget code. Any thread.
class TapTempo {
public:
    static constexpr int kTaps = 8;
    static constexpr double kPauseMs = 2000;

    // A tap at time ms (a monotonic time); the tempo so far in BPM, 0 until the
    // second tap of a run.
    double tap(double ms);

    // The tempo of a groove that lasts durationMs and holds beats beats; 0 when
    // either is not positive.
    static double fromGroove(double durationMs, int beats);
    // The beats (a power of two, 1 to kMaxBeats) that give a groove lasting
    // durationMs the tempo nearest 120 BPM, which lands between 60 and 200 BPM
    // whenever a power of two can; 1 when durationMs is not positive.
    static int beatsFor(double durationMs);
    static constexpr int kMaxBeats = 64;

private:
    std::deque<double> taps_;
};
