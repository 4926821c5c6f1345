#pragma once

#include <vector>

#include "playback/audiosource.h"

typedef struct SRC_STATE_tag SRC_STATE;

// The engine's 44100 Hz sound brought to a device that runs at another rate
// (libsamplerate). The engine is pulled in pieces of a few frames, just as many as
// the device's period needs, so that a command that reaches the engine between two
// periods is heard in the very next one: no period waits behind sound rendered
// before it came.
class RateConverter {
public:
    // The engine frames pulled at a time (a third of a millisecond).
    static constexpr int kPullFrames = 16;

    RateConverter() = default;
    ~RateConverter();
    RateConverter(const RateConverter&) = delete;
    RateConverter& operator=(const RateConverter&) = delete;

    // Starts converting source's channels (2 or 4) for a device at deviceRate; false
    // when the converter cannot be made. Not while fill() may run.
    bool open(AudioSource& source, int channels, double deviceRate);
    void close();
    bool isOpen() const { return state_ != nullptr; }

    // Fills out with frames interleaved frames at the device's rate. Audio thread:
    // no allocation, lock, file access or logging.
    void fill(float* out, long frames);

private:
    static long pull(void* self, float** data);

    SRC_STATE* state_ = nullptr;
    AudioSource* source_ = nullptr;
    int channels_ = 2;
    double ratio_ = 1.0;
    std::vector<float> pull_;
};
