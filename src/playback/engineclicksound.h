#pragma once

#include "playback/clicksound.h"

class AudioEngine;

// The click on the engine: scheduled by frame, so that each click lands exactly one
// beat after the one before, whatever the commanding threads are doing. Frequencies
// are kept between 20 Hz and just under half the rate, a click between 1 ms and one
// beat. Must not outlive the engine. Any thread may call it (it keeps no state of its
// own; the engine takes commands from any thread).
class EngineClickSound : public ClickSound {
public:
    explicit EngineClickSound(AudioEngine& engine) : engine_(engine) {}

    void countIn(double beatMs, int count, double frequencyHz, double lengthMs, int route,
                 int level) override;
    void cancel() override;

    // The frames of a beat of beatMs (rounded to the nearest frame).
    static long long beatFrames(double beatMs);

private:
    AudioEngine& engine_;
};
