#pragma once

#include <cstdint>

// The count-in's click, made in the engine so that it lands on its frame: a short
// tone at a set frequency and length, once a beat for a set number of beats, into
// the main output or into a second pair of channels (3-4, in-ear monitors).
// Scheduled by frame, not by the GUI's timers. Audio thread only.
class ClickVoice {
public:
    enum Route { kNowhere = 0, kMain = 1, kMonitor = 2 };

    struct Schedule {
        std::int64_t firstFrame = 0;  // absolute frame of the first click
        std::int64_t interval = 0;    // frames from one click to the next (> 0)
        int count = 0;                // clicks
        int length = 0;               // frames a click lasts
        float frequency = 0;          // Hz
        float gain = 0;               // linear
        int route = kNowhere;
    };

    // Replaces what was scheduled. Audio thread: no allocation, lock, file access
    // or logging.
    void schedule(const Schedule& s);
    // Drops the clicks still to come (one that sounds ends at once).
    void cancel() { left_ = 0; }
    bool pending() const { return left_ > 0; }

    // Adds the clicks of the frames [start, start + frames) to main or monitor
    // (interleaved stereo; monitor may be null: its clicks are dropped). Audio
    // thread: no allocation, lock, file access or logging.
    void mixInto(float* main, float* monitor, std::int64_t start, int frames);

private:
    Schedule s_;
    std::int64_t beat_ = 0;  // frame of the click now sounding or next
    int left_ = 0;           // clicks left, the one at beat_ included
    double step_ = 0;        // phase step per frame, radians
};
