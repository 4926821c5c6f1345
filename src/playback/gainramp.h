#pragma once

// A gain that glides to a new value over a short ramp instead of jumping, so that a
// volume change never clicks. Audio thread only: nothing here allocates or locks.
class GainRamp {
public:
    static constexpr int kRampFrames = 256;  // about 6 ms at 44100 Hz

    // Audio thread. Glides from the present value to target.
    void setTarget(float target) {
        target_ = target;
        remaining_ = kRampFrames;
        step_ = (target_ - value_) / float(kRampFrames);
    }
    // Audio thread. Jumps straight to target (nothing is sounding, so nothing clicks).
    void jumpTo(float target) {
        target_ = value_ = target;
        remaining_ = 0;
        step_ = 0.0f;
    }
    // Audio thread. The gain for the next frame.
    float next() {
        if (remaining_ > 0) {
            value_ += step_;
            if (--remaining_ == 0) {
                value_ = target_;
            }
        }
        return value_;
    }
    bool isSteady() const { return remaining_ == 0; }
    float value() const { return value_; }

private:
    float value_ = 1.0f;
    float target_ = 1.0f;
    float step_ = 0.0f;
    int remaining_ = 0;
};
