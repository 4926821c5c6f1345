#include "playback/trackposition.h"

#include <algorithm>

#include "playback/decodedaudio.h"

namespace {
// The least the estimate moves between two looks while the track plays and the
// device has fallen behind: far below anything audible, enough to tell the looks
// apart.
constexpr double kCreepFrames = 1e-3;
}  // namespace

double TrackPosition::read(double nowMs, const Progress& progress) {
    const double rendered = double(progress.rendered);
    if (!progress.playing) {
        moving_ = false;
        frames_ = rendered;
        return frames_;
    }
    if (!moving_) {
        moving_ = true;
        frames_ = rendered;
        lastMs_ = nowMs;
        return frames_;
    }
    const double elapsed = std::max(0.0, nowMs - lastMs_) * kEngineRate / 1000.0;
    lastMs_ = nowMs;
    if (elapsed <= 0.0) {
        return frames_;
    }
    double bound = rendered + double(std::max(progress.periodFrames, 0));
    if (progress.length > progress.rendered) {
        bound = std::min(bound, double(progress.length));
    }
    const double next = frames_ + elapsed;
    frames_ = next <= bound ? next : std::max(bound, frames_ + kCreepFrames);
    return frames_;
}
