#pragma once

// Whatever an output pulls its frames from (the engine's mixer).
class AudioSource {
public:
    virtual ~AudioSource() = default;
    // Fills out with frames interleaved stereo float frames at 44100 Hz. Runs on the
    // output's thread (the audio callback): must not allocate, lock, log or touch a file.
    virtual void renderAudio(float* out, int frames) = 0;
    // The same for an output of channels interleaved channels (2 or more): the
    // first two hold the main output. Runs on the audio callback like renderAudio:
    // must not allocate, lock, log or touch a file.
    virtual void renderChannels(float* out, int frames, int channels) {
        if (channels == 2) {
            renderAudio(out, frames);
            return;
        }
        for (long i = 0; i < long(frames) * channels; ++i) {
            out[i] = 0.0f;
        }
    }
};
