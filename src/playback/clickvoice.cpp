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
    cutSounding();
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
void ClickVoice::cancel() {
    cutSounding();
    left_ = 0;
}

// Audio thread: no allocation, lock, file access or logging.
void ClickVoice::cutSounding() {
    if (left_ <= 0 || tail_.active) {
        return;
    }
    std::int64_t beat = beat_;
    int left = left_;
    while (left > 0 && next_ >= beat + s_.interval) {
        beat += s_.interval;
        --left;
    }
    const int length = int(std::min<std::int64_t>(s_.length, s_.interval));
    if (left <= 0 || next_ < beat || next_ - beat >= length) {
        return;
    }
    tail_.active = true;
    tail_.index = int(next_ - beat);
    tail_.length = length;
    tail_.gain = s_.gain;
    tail_.step = step_;
    tail_.route = s_.route;
    tail_.fade.jumpTo(1.0f);
    tail_.fade.setTarget(0.0f);
}

float ClickVoice::sample(float gain, double step, int length, int i) {
    // Starts at its peak on the beat's own frame: the click is heard from there.
    const int release = std::min(kReleaseFrames, length);
    const double fade = std::min(1.0, double(length - i) / release);
    return float(double(gain) * fade * std::cos(step * double(i)));
}

// Audio thread: no allocation, lock, file access or logging.
void ClickVoice::mixTail(float* main, float* monitor, int frames) {
    float* out = tail_.route == kMain ? main : monitor;
    for (int f = 0; f < frames && tail_.active; ++f) {
        const float gain = tail_.fade.next();
        if (out != nullptr) {
            const float v = gain * sample(tail_.gain, tail_.step, tail_.length, tail_.index);
            out[2 * f] += v;
            out[2 * f + 1] += v;
        }
        ++tail_.index;
        if (tail_.index >= tail_.length || (tail_.fade.isSteady() && gain == 0.0f)) {
            tail_.active = false;
        }
    }
}

// Audio thread: no allocation, lock, file access or logging.
void ClickVoice::mixInto(float* main, float* monitor, std::int64_t start, int frames) {
    next_ = start + frames;
    if (tail_.active) {
        mixTail(main, monitor, frames);
    }
    if (left_ <= 0) {
        return;
    }
    float* out = s_.route == kMain ? main : monitor;
    const int length = int(std::min<std::int64_t>(s_.length, s_.interval));
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
        const float v = sample(s_.gain, step_, length, int(i));
        out[2 * f] += v;
        out[2 * f + 1] += v;
    }
}
