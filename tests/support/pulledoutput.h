#pragma once

#include <vector>

#include "playback/audiooutput.h"
#include "playback/audiosource.h"

// An output that runs like a device (not offline: the engine does not render on its
// own caller's behalf) but is pulled by the test itself, standing in for the audio
// thread. A test can leave it unpulled to play a stalled device.
class PulledOutput : public AudioOutput {
public:
    bool start(AudioSource& source) override {
        source_ = &source;
        return true;
    }
    void stop() override { source_ = nullptr; }
    QString description() const override { return QStringLiteral("pulled by the test"); }
    // One callback of frames (interleaved stereo).
    std::vector<float> pull(int frames) {
        std::vector<float> out(std::size_t(frames) * 2);
        source_->renderAudio(out.data(), frames);
        return out;
    }

private:
    AudioSource* source_ = nullptr;
};
