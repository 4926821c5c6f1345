#pragma once

#include <QString>
#include <cstddef>

// How the audio engine is built (command line or test harness).
struct AudioOptions {
    QString device;  // empty or "default": the default output device
    // Period of the device or sink, 64 to 2048 frames, or kAutomaticFrames: a JACK
    // device's callback follows the server's period, anything else runs at kDefaultFrames.
    int bufferFrames = 256;
    QString wavOutPath;    // not empty: no device, the sound goes to this WAV file in real time
    bool offline = false;  // no device and no thread: the caller renders (tests, benchmarks)
    std::size_t grooveCacheBytes = std::size_t(512) << 20;  // memory for decoded grooves

    static constexpr int kAutomaticFrames = 0;
    static constexpr int kDefaultFrames = 256;
    // The frames a sink paced by the program itself (a WAV file, the silent stand-in)
    // renders per step for a buffer setting: automatic has no server to follow.
    static int pacedFrames(int bufferFrames) {
        return bufferFrames == kAutomaticFrames ? kDefaultFrames : bufferFrames;
    }
};
