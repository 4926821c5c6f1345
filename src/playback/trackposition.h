#pragma once

#include <cstdint>

// Where a playing track is, as the listener hears it. The audio side counts the
// frames it has rendered only once per period, and a device may deliver its periods
// unevenly (several at once, then none for a while), so the count alone can stand
// still between two looks at it while the track plays on. This estimate moves with
// the time that passes between looks instead, never runs ahead of the rendered
// frames by more than the longest period (and a hair, so that it never stands
// still while the track plays), and while the track is not playing (stopped,
// ended, never started) it is the rendered count itself: exactly the end once the
// track has ended. GUI thread only.
class TrackPosition {
public:
    // What the audio side reports at one look.
    struct Progress {
        std::int64_t rendered = 0;  // frames of the track rendered so far
        bool playing = false;       // asked to play and not ended
        int periodFrames = 0;       // the longest period the device uses
        std::int64_t length = 0;    // the track's length in frames, 0 when unknown
    };

    // The estimate in frames at nowMs (a monotonic clock's milliseconds).
    double read(double nowMs, const Progress& progress);

    // The track was stopped, moved or replaced: the next look while it plays starts
    // again from the rendered count.
    void reset() { moving_ = false; }

private:
    bool moving_ = false;
    double frames_ = 0;
    double lastMs_ = 0;
};
