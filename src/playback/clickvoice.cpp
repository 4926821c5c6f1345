#include "playback/clickvoice.h"

#include <algorithm>
#include <cmath>

#include "playback/decodedaudio.h"

namespace {
// The click's last frames fade out (1 ms), so it ends without a crack of its own.
constexpr int kReleaseFrames = 44;
constexpr double kTwoPi = 6.283185307179586;
}  // namespace

// Audio thread: no allocation, lock, file access or logging.
void ClickVoice::schedule(const Schedule& s) {
    s_ = s;
    if (s.interval <= 0 || s.count <= 0 || s.length <= 0 || s.route == kNowhere) {
        left_ = 0;
        return;
    }
    beat_ = s.firstFrame;
    left_ = s.count;
    step_ = kTwoPi * double(s.frequency) / kEngineRate;
}

// Audio thread: no allocation, lock, file access or logging.
void ClickVoice::mixInto(float* main, float* monitor, std::int64_t start, int frames) {
    if (left_ <= 0) {
        return;
    }
    float* out = s_.route == kMain ? main : monitor;
    const int length = int(std::min<std::int64_t>(s_.length, s_.interval));
    const int release = std::min(kReleaseFrames, length);
    for (int f = 0; f < frames && left_ > 0; ++f) {
        const std::int64_t frame = start + f;
        while (left_ > 0 && frame >= beat_ + s_.interval) {
            beat_ += s_.interval;
            --left_;
        }
        if (left_ <= 0 || frame < beat_) {
            continue;
        }
        const std::int64_t i = frame - beat_;
        if (i >= length || out == nullptr) {
            continue;
        }
        // Starts at its peak on the beat's own frame: the click is heard from there.
        const double fade = std::min(1.0, double(length - i) / release);
        const float v = float(double(s_.gain) * fade * std::cos(step_ * double(i)));
        out[2 * f] += v;
        out[2 * f + 1] += v;
    }
}
