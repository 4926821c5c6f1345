#pragma once

#include <QString>
#include <atomic>
#include <thread>
#include <vector>

#include "playback/audiooutput.h"

typedef struct sf_private_tag SNDFILE;

// Renders in real time on a thread of its own, one period after another, and writes
// the result to a 16-bit stereo WAV file at 44100 Hz, so that a whole session can be
// heard or checked without a sound card. With an empty path it writes nothing: the
// engine's silent stand-in when no device can be opened, so that tracks still run
// and end in time.
class WavFileOutput : public AudioOutput {
public:
    // periodFrames: frames rendered per step (the pace is the real time they last).
    WavFileOutput(const QString& path, int periodFrames);
    ~WavFileOutput() override;

    bool start(AudioSource& source) override;
    void stop() override;
    QString errorText() const override { return error_; }
    QString description() const override;

    const QString& path() const { return path_; }

private:
    void run(AudioSource& source);

    const QString path_;
    const int periodFrames_;
    SNDFILE* file_ = nullptr;
    QString error_;
    std::vector<float> buffer_;
    std::vector<short> pcm_;
    std::atomic<bool> quit_{false};
    std::thread thread_;
};
