#include "playback/portaudiooutput.h"

#include <jack/jack.h>
#include <pa_jack.h>
#include <portaudio.h>

#include <algorithm>
#include <chrono>
#include <cstring>
#include <memory>
#include <thread>

#include "playback/audiooptions.h"
#include "playback/audiosource.h"
#include "playback/decodedaudio.h"

namespace {
// Audio thread: no allocation, lock, file access or logging.
int streamCallback(const void*, void* output, unsigned long frames, const PaStreamCallbackTimeInfo*,
                   PaStreamCallbackFlags, void* self) {
    static_cast<PortAudioOutput*>(self)->fill(static_cast<float*>(output), frames);
    return paContinue;
}

QString deviceLabel(int device) {
    const PaDeviceInfo* info = Pa_GetDeviceInfo(device);
    if (info == nullptr) {
        return {};
    }
    const PaHostApiInfo* host = Pa_GetHostApiInfo(info->hostApi);
    return QStringLiteral("%1: %2").arg(QString::fromUtf8(host != nullptr ? host->name : "?"),
                                        QString::fromUtf8(info->name));
}
}  // namespace

PortAudioOutput::PortAudioOutput(const QString& deviceName, int bufferFrames, int channels)
    : deviceName_(deviceName.trimmed()),
      bufferFrames_(bufferFrames),
      channels_(channels >= 4 ? 4 : kEngineChannels) {}

PortAudioOutput::~PortAudioOutput() {
    stop();
}

QString PortAudioOutput::noDeviceText() {
    return QStringLiteral("Nessuna uscita audio disponibile: Quintora funziona senza suono.");
}

bool PortAudioOutput::start(AudioSource& source) {
    stop();
    if (stuck().load() || Pa_Initialize() != paNoError) {
        error_ = noDeviceText();
        return false;
    }
    initialized_ = true;
    watchJack();
    std::vector<int> candidates;
    const int count = Pa_GetDeviceCount();
    const bool named = !deviceName_.isEmpty() &&
                       deviceName_.compare(QStringLiteral("default"), Qt::CaseInsensitive) != 0;
    if (named) {
        for (int device = 0; device < count; ++device) {
            if (deviceLabel(device).contains(deviceName_, Qt::CaseInsensitive)) {
                candidates.push_back(device);
            }
        }
    }
    if (Pa_GetDefaultOutputDevice() != paNoDevice) {
        candidates.push_back(Pa_GetDefaultOutputDevice());
    }
    for (int device = 0; device < count; ++device) {
        candidates.push_back(device);
    }
    return openFirst(source, candidates);
}

bool PortAudioOutput::restart(AudioSource& source) {
    const QString device = running_;
    stop();
    if (device.isEmpty() || stuck().load() || Pa_Initialize() != paNoError) {
        return false;
    }
    initialized_ = true;
    watchJack();
    // The system's list is read afresh, so the device's number may have changed.
    std::vector<int> candidates;
    for (int d = 0, count = Pa_GetDeviceCount(); d < count; ++d) {
        if (deviceLabel(d) == device) {
            candidates.push_back(d);
        }
    }
    const bool back = openFirst(source, candidates);
    running_ = device;  // still the one waited for, while it is not back
    return back;
}

bool PortAudioOutput::failed() {
    if (lost_ || stream_ == nullptr) {
        return lost_;
    }
    lost_ = Pa_IsStreamActive(stream_) != 1 || watch_.stalled();
    return lost_;
}

bool PortAudioOutput::openFirst(AudioSource& source, const std::vector<int>& candidates) {
    source_ = &source;
    error_.clear();
    std::vector<int> tried;
    for (int device : candidates) {
        if (std::find(tried.begin(), tried.end(), device) != tried.end()) {
            continue;
        }
        tried.push_back(device);
        const PaDeviceInfo* info = Pa_GetDeviceInfo(device);
        if (info == nullptr || info->maxOutputChannels < channels_) {
            continue;
        }
        if (openDevice(device)) {
            return true;
        }
    }
    stop();
    error_ = noDeviceText();
    return false;
}

bool PortAudioOutput::openDevice(int device) {
    const PaDeviceInfo* info = Pa_GetDeviceInfo(device);
    PaStreamParameters params{};
    params.device = device;
    params.channelCount = channels_;
    params.sampleFormat = paFloat32;
    params.suggestedLatency = info->defaultLowOutputLatency;
    double rate = kEngineRate;
    if (Pa_IsFormatSupported(nullptr, &params, rate) != paFormatIsSupported) {
        rate = info->defaultSampleRate;
        if (rate <= 0 || Pa_IsFormatSupported(nullptr, &params, rate) != paFormatIsSupported) {
            return false;
        }
    }
    if (rate != kEngineRate && !converter_.open(*source_, channels_, rate)) {
        return false;
    }
    // The period is counted in the device's own frames at whatever rate it runs, so
    // that it matches a sound server's period and nothing adapts one to the other.
    // Automatic on JACK leaves it to the server: a fixed period that differs from the
    // server's is gathered from several of its cycles (or split) and adds its latency.
    const PaHostApiInfo* host = Pa_GetHostApiInfo(info->hostApi);
    const bool followServer =
        bufferFrames_ == AudioOptions::kAutomaticFrames && host != nullptr && host->type == paJACK;
    const unsigned long period =
        followServer ? paFramesPerBufferUnspecified
                     : static_cast<unsigned long>(AudioOptions::pacedFrames(bufferFrames_));
    inForce_.store(0, std::memory_order_relaxed);
    const PaError opened =
        Pa_OpenStream(&stream_, nullptr, &params, rate, period, paNoFlag, &streamCallback, this);
    if (opened != paNoError || Pa_StartStream(stream_) != paNoError) {
        if (stream_ != nullptr) {
            Pa_CloseStream(stream_);
            stream_ = nullptr;
        }
        converter_.close();
        return false;
    }
    rate_ = rate;
    running_ = deviceLabel(device);
    lost_ = false;
    watch_.restart();
    jackClient_.clear();
    if (host != nullptr && host->type == paJACK) {
        const char* name = nullptr;
        if (PaJack_GetClientName(&name) == paNoError && name != nullptr) {
            jackClient_ = QString::fromUtf8(name);
        }
    }
    description_ = QStringLiteral("%1, %2 Hz, %3")
                       .arg(deviceLabel(device))
                       .arg(rate)
                       .arg(followServer ? QStringLiteral("the server's period")
                                         : QStringLiteral("%1 frames").arg(period));
    return true;
}

// A stream whose device failed may never stop: PortAudio's JACK side waits without
// end for a server that went. It is let go on a thread of its own; when that thread
// is not back within kLetGoMs, PortAudio is held to be stuck and is not called again
// until it is (the program goes on silently, saying so, rather than hang).
void PortAudioOutput::letGo(bool terminate) {
    PaStream* stream = stream_;
    const bool initialized = initialized_ && terminate;
    stream_ = nullptr;
    initialized_ = false;
    auto done = std::make_shared<std::atomic<bool>>(false);
    stuck().store(true);
    std::thread([stream, initialized, done] {
        Pa_StopStream(stream);
        Pa_CloseStream(stream);
        if (initialized) {
            Pa_Terminate();
        }
        done->store(true);
        // Not ended (its JACK server died): PortAudio stays held for good.
        if (initialized) {
            stuck().store(false);
        }
    }).detach();
    for (int waited = 0; waited < kLetGoMs && !done->load(); waited += 5) {
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
}

std::atomic<bool>& PortAudioOutput::stuck() {
    static std::atomic<bool> stuck{false};
    return stuck;
}

namespace {

std::atomic<bool> jackServerDied{false};
jack_client_t* jackWatch = nullptr;  // never closed once its server died

void onJackShutdown(void*) {
    jackServerDied.store(true);
}

}  // namespace

void PortAudioOutput::watchJack() {
    const char* name = nullptr;
    if (jackWatch != nullptr || jackServerDied.load() || PaJack_GetClientName(&name) != paNoError ||
        name == nullptr) {
        return;
    }
    jackWatch = jack_client_open("Quintora_guardia", JackNoStartServer, nullptr);
    if (jackWatch == nullptr) {
        // PortAudio joined a server that takes no client now: it went meanwhile.
        jackServerDied.store(true);
        return;
    }
    jack_on_shutdown(jackWatch, &onJackShutdown, nullptr);
    if (jack_activate(jackWatch) != 0) {
        jackServerDied.store(true);
    }
}

// PortAudio was ended while its server lived: the next start may join another.
void PortAudioOutput::unwatchJack() {
    if (jackWatch != nullptr && !jackServerDied.load()) {
        jack_client_close(jackWatch);
        jackWatch = nullptr;
    }
}

bool PortAudioOutput::jackDied() {
    return jackServerDied.load();
}

void PortAudioOutput::stop() {
    // Once the JACK server PortAudio joined has died (even one no look has seen go
    // yet), nothing of PortAudio is waited for, and it is never ended.
    const bool died = initialized_ && jackDied();
    if (died) {
        stuck().store(true);
    }
    if (stream_ != nullptr && (lost_ || died)) {
        letGo(!died);
    } else if (stream_ != nullptr) {
        Pa_StopStream(stream_);
        Pa_CloseStream(stream_);
        stream_ = nullptr;
    }
    inForce_.store(0, std::memory_order_relaxed);
    rate_ = kEngineRate;
    jackClient_.clear();
    converter_.close();
    if (initialized_ && !died) {
        Pa_Terminate();
        unwatchJack();
    }
    initialized_ = false;
}

// Audio thread: no allocation, lock, file access or logging.
void PortAudioOutput::fill(float* out, unsigned long frames) {
    inForce_.store(int(frames), std::memory_order_relaxed);
    watch_.called();
    if (converter_.isOpen()) {
        converter_.fill(out, long(frames));
        return;
    }
    source_->renderChannels(out, int(frames), channels_);
}
