#pragma once

class Audio;

// The two volume sliders: Vol1 drives the wave output (Volume1's Level is twice its
// value) and HSVolumeMp3 the media player (its value as it is, hundredths of a
// decibel). Both follow the thumb while it is dragged. The keyboard's plus and
// minus keys move them in fixed steps. While the silent preload runs, a new wave
// level is only remembered (by Vol1) and the preload's end applies it. GUI thread only.
class VolumeControls {
public:
    explicit VolumeControls(Audio& window);

    // The keys' steps, kept within the sliders' ends.
    void raiseWave();
    void lowerWave();
    void raiseMp3();
    void lowerMp3();

private:
    void applyWave();

    Audio& w_;
};
