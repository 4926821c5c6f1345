#pragma once

#include <cstdint>

// One slice of a streamed track, decoded ahead by the track decoder thread and
// played by the track voice. Blocks are allocated once, in a fixed pool, and only
// change hands through lock-free queues. The generation tells the voice whether the
// block belongs to the stream it is playing now (a load or a seek starts a new one).
struct TrackBlock {
    static constexpr int kFrames = 1024;

    std::uint64_t generation = 0;
    std::int64_t startFrame = 0;  // position of the first frame in the track
    int frames = 0;               // valid frames in data
    bool endOfStream = false;     // no block of this generation follows
    float* data = nullptr;        // kFrames interleaved stereo frames
};
