#include "editor/taptempo.h"

#include <cmath>

double TapTempo::tap(double ms) {
    if (!taps_.empty() && (ms - taps_.back() > kPauseMs || ms <= taps_.back())) {
        taps_.clear();
    }
    taps_.push_back(ms);
    if (int(taps_.size()) > kTaps) {
        taps_.pop_front();
    }
    if (taps_.size() < 2) {
        return 0;
    }
    const double average = (taps_.back() - taps_.front()) / double(taps_.size() - 1);
    return 60000.0 / average;
}

int TapTempo::beatsFor(double durationMs) {
    int best = 1;
    double bestDistance = -1;
    for (int beats = 1; beats <= kMaxBeats && durationMs > 0; beats *= 2) {
        const double distance = std::abs(std::log2(fromGroove(durationMs, beats) / 120));
        if (bestDistance < 0 || distance < bestDistance) {
            best = beats;
            bestDistance = distance;
        }
    }
    return best;
}

double TapTempo::fromGroove(double durationMs, int beats) {
    if (durationMs <= 0 || beats <= 0) {
        return 0;
    }
    return beats * 60000.0 / durationMs;
}
