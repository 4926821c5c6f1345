#pragma once

#include <cstdint>

#include "playback/gainramp.h"

// The count-in's click, made in the engine so that it lands on its frame: a short
// tone at a set frequency and length, once a beat for a set number of beats, into
// the main output or into a second pair of channels (3-4, in-ear monitors).
// Scheduled by frame, not by the GUI's timers. A click cut short (by a pedal, a key
// or a new preparation) fades out over a few milliseconds instead of stopping dead,
// so nothing ticks in the performer's ears. Audio thread only.
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

    // Replaces what was scheduled; a click sounding fades out. Audio thread: no
    // allocation, lock, file access or logging.
    void schedule(const Schedule& s);
    // Drops the clicks still to come; one that sounds fades out. Audio thread: no
    // allocation, lock, file access or logging.
    void cancel();
    bool pending() const { return left_ > 0; }

    // Adds the clicks of the frames [start, start + frames) to main or monitor
    // (interleaved stereo; monitor may be null: its clicks are dropped). Called for
    // every block in order. Audio thread: no allocation, lock, file access or logging.
    void mixInto(float* main, float* monitor, std::int64_t start, int frames);

private:
    // A click cut short: it goes on from where it was while its gain glides to 0.
    struct Tail {
        bool active = false;
        int index = 0;  // frame within the click
        int length = 0;
        float gain = 0;
        double step = 0;
        int route = kNowhere;
        GainRamp fade;
    };

    // The click sounding at the next frame to render, if any, becomes the tail.
    void cutSounding();
    void mixTail(float* main, float* monitor, int frames);
    // Sample i of a click of length frames at gain, before any cut.
    static float sample(float gain, double step, int length, int i);

    Schedule s_;
    std::int64_t beat_ = 0;  // frame of the click now sounding or next
    int left_ = 0;           // clicks left, the one at beat_ included
    double step_ = 0;        // phase step per frame, radians
    std::int64_t next_ = 0;  // the next frame mixInto renders
    Tail tail_;
};
