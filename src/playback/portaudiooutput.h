#pragma once

#include <QString>
#include <atomic>
#include <cstdint>
#include <vector>

#include "playback/audiooutput.h"
#include "playback/callbackwatch.h"
#include "playback/rateconverter.h"

typedef void PaStream;

// A sound device through PortAudio: stereo float (or four channels), a low-latency period of
// bufferFrames; automatic (AudioOptions::kAutomaticFrames) lets a JACK device's
// callback follow the server's own period, and gives any other device 256 frames. The
// named device is tried first (any part of its name, or of "host: name"), then the
// default output, then any other output. The engine's 44100 Hz is asked for; a device
// that runs at another rate gets the sound through libsamplerate. A JACK server's device
// chosen by its label goes through JackOutput instead (DeviceOutputs); PortAudio still
// reaches a JACK server as the default output, and then never lets go of one that died.
class PortAudioOutput : public AudioOutput {
public:
    // deviceName: empty or "default" for the default output device. channels: 2, or
    // 4 for the in-ear monitors' click on channels 3-4 (only devices that have them).
    PortAudioOutput(const QString& deviceName, int bufferFrames, int channels = 2);
    ~PortAudioOutput() override;

    bool start(AudioSource& source) override;
    void stop() override;
    QString errorText() const override { return error_; }
    QString description() const override { return description_; }
    int periodInForce() const override { return inForce_.load(std::memory_order_relaxed); }
    double deviceRate() const override { return rate_; }
    QString jackClient() const override { return jackClient_; }
    bool failed() override;
    bool restart(AudioSource& source) override;

    // The text the user sees when no device can be opened.
    static QString noDeviceText();

    // The stream's callback: fills out with frames of the source's sound.
    // Audio thread: no allocation, lock, file access or logging.
    void fill(float* out, unsigned long frames);

    // How long a callback that never comes again is waited for before the output
    // counts as failed, in milliseconds.
    static constexpr int kStallMs = CallbackWatch::kStallMs;
    // How long a failed stream is given to let go of its device, in milliseconds.
    static constexpr int kLetGoMs = 300;
    // Whether PortAudio is held by a failed stream that never let go (see letGo()).
    static std::atomic<bool>& stuck();

private:
    // Opens the first of the devices that works; candidates holds device indexes.
    bool openFirst(AudioSource& source, const std::vector<int>& candidates);
    bool openDevice(int device);
    // terminate: PortAudio is ended after the stream (never once its JACK server died).
    void letGo(bool terminate);
    // PortAudio has begun (Pa_Initialize succeeded): when it joined a JACK server, a
    // client of the program's own watches that server from now on.
    static void watchJack();
    static void unwatchJack();
    // Whether the JACK server PortAudio joined has died since (even when another was
    // started in its place): PortAudio's client of it can then never be let go, as
    // stopping, closing or ending PortAudio waits without end or aborts the program.
    static bool jackDied();

    const QString deviceName_;
    const int bufferFrames_;
    const int channels_;
    bool initialized_ = false;
    PaStream* stream_ = nullptr;
    AudioSource* source_ = nullptr;
    RateConverter converter_;
    QString error_;
    QString description_;
    double rate_ = kEngineRate;
    QString jackClient_;
    std::atomic<int> inForce_{0};  // written by the callback
    QString running_;              // the label of the device opened
    bool lost_ = false;            // failed since the last start
    CallbackWatch watch_;          // whether the callback still comes
};
