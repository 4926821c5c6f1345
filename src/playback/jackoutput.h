#pragma once

#include <jack/types.h>

#include <QString>
#include <array>
#include <atomic>
#include <cstdint>
#include <memory>
#include <vector>

#include "playback/audiooutput.h"
#include "playback/callbackwatch.h"
#include "playback/rateconverter.h"

// A JACK server's device through a JACK client of the program's own (not PortAudio),
// so that a server that dies and is started again is taken up again: restart() opens
// a fresh client on it as soon as it serves. The device is named as the device list
// names it ("JACK Audio Connection Kit: system"): the sound goes to the input ports of
// that JACK client (for "system", the sound card's playback ports). The server is the
// one JACK_DEFAULT_SERVER names, or JACK's default; the program never starts one.
// Stereo, or four channels with the in-ear monitors' click on 3-4; at the server's
// rate (through libsamplerate when it is not 44100 Hz) and always at the server's
// period, JACK having only one. GUI thread, as AudioOutput; the process callback runs
// on JACK's own thread.
class JackOutput : public AudioOutput {
public:
    // device: a label for which isJackDevice() holds. channels: 2, or 4 (only a JACK
    // client with four input ports takes them).
    JackOutput(const QString& device, int bufferFrames, int channels = 2);
    ~JackOutput() override;
    JackOutput(const JackOutput&) = delete;
    JackOutput& operator=(const JackOutput&) = delete;

    bool start(AudioSource& source) override;
    void stop() override;
    QString errorText() const override { return error_; }
    QString description() const override { return description_; }
    int periodInForce() const override { return inForce_.load(std::memory_order_relaxed); }
    double deviceRate() const override { return rate_; }
    QString jackClient() const override { return jackClient_; }
    bool failed() override;
    bool restart(AudioSource& source) override;

    // Whether a device label names a JACK server's device, and the JACK client it
    // names ("system"); any thread.
    static bool isJackDevice(const QString& device);
    static QString clientOf(const QString& device);
    // The text the user sees when the JACK server does not take the program's client.
    static QString serverAwayText();

    // The client's name: PortAudio's, which the program had on JACK until now, so that
    // the connections a user saved in a JACK patchbay ("PortAudio:out_0") still hold.
    static constexpr const char* kClientName = "PortAudio";
    // The frames rendered in one piece: JACK's longest period. A longer period (no
    // server offers one) is rendered in pieces of this.
    static constexpr int kMaxPeriod = 8192;
    // How long a callback that never comes again is waited for before the output
    // counts as failed, in milliseconds (as PortAudioOutput's).
    static constexpr int kStallMs = CallbackWatch::kStallMs;
    // How long the close of a client is waited for, in milliseconds (see letGo()).
    static constexpr int kLetGoMs = 300;

private:
    // What JACK's threads see of one client. It lives as long as they may use it, which
    // may be longer than the output (a client whose close did not come back).
    struct Link {
        std::atomic<bool> open{false};    // the callback renders through output
        std::atomic<bool> inside{false};  // the callback runs now
        std::atomic<bool> gone{false};    // the server shut the client down (it died)
        JackOutput* output = nullptr;
        std::array<jack_port_t*, 4> ports{};
        int channels = 2;
    };

    // Opens a client on the server, connects it and starts it; false (error_ set, nothing
    // left open) when the server or the device is not there.
    bool open(AudioSource& source);
    // Whether the client's ports reached the device's channels_ first input ports.
    bool connect();
    // Ends the client, if any, without ever waiting long for it.
    void letGo();
    static int process(jack_nframes_t frames, void* link);
    static void shutdown(void* link);
    // The process callback's rendering into the link's ports. JACK's thread: no
    // allocation, lock, file access or logging.
    void fill(Link& link, jack_nframes_t frames);
    // The clients whose close has not come back yet, in the whole process.
    static std::atomic<int>& closing();

    const QString device_;  // "JACK Audio Connection Kit: <target_>"
    const QString target_;
    const int bufferFrames_;
    const int channels_;
    jack_client_t* client_ = nullptr;
    std::shared_ptr<Link> link_;
    AudioSource* source_ = nullptr;
    RateConverter converter_;
    std::vector<float> scratch_;  // kMaxPeriod interleaved frames, made beforehand
    QString error_;
    QString description_;
    QString jackClient_;
    double rate_ = kEngineRate;
    std::atomic<int> inForce_{0};  // written by the callback
    bool lost_ = false;            // failed since the last start
    CallbackWatch watch_;          // whether the callback still comes
};
