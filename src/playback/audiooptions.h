#pragma once

#include <QString>
#include <cstddef>

// How the audio engine is built (command line or test harness).
struct AudioOptions {
    QString device;          // empty or "default": the default output device
    int bufferFrames = 256;  // period of the device or sink, 64 to 2048 frames
    QString wavOutPath;      // not empty: no device, the sound goes to this WAV file in real time
    bool offline = false;    // no device and no thread: the caller renders (tests, benchmarks)
    std::size_t grooveCacheBytes = std::size_t(512) << 20;  // memory for decoded grooves
};
