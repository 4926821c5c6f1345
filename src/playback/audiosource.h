#pragma once

// Whatever an output pulls its frames from (the engine's mixer).
class AudioSource {
public:
    virtual ~AudioSource() = default;
    // Fills out with frames interleaved stereo float frames at 44100 Hz. Runs on the
    // output's thread (the audio callback): must not allocate, lock, log or touch a file.
    virtual void renderAudio(float* out, int frames) = 0;
};
