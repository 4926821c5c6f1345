#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

// The engine's one sample format: interleaved stereo float at 44100 frames a second.
constexpr int kEngineRate = 44100;
constexpr int kEngineChannels = 2;

// A whole sound decoded into memory, ready for the groove voice. Immutable once
// built; shared between the groove cache and the engine through shared_ptr, and
// never freed on the audio thread (the engine returns it to the GUI side first).
struct DecodedAudio {
    std::vector<float> samples;  // interleaved left, right

    std::int64_t frames() const { return std::int64_t(samples.size() / kEngineChannels); }
    std::size_t bytes() const { return samples.capacity() * sizeof(float) + sizeof(*this); }
};

// The most frames the mixer renders in one go; longer requests are split.
constexpr int kMaxBlockFrames = 1024;
