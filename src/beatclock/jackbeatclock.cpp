#include "beatclock/jackbeatclock.h"

#include <jack/jack.h>
#include <jack/midiport.h>

#include <QRegularExpression>
#include <algorithm>
#include <cerrno>
#include <chrono>

#include "playback/decodedaudio.h"
#include "playback/enginetimeline.h"

JackBeatClock::JackBeatClock(const EngineTimeline& timeline) : timeline_(timeline) {}

JackBeatClock::~JackBeatClock() {
    close();
}

bool JackBeatClock::open() {
    if (client_ != nullptr) {
        return true;
    }
    gone_.store(false, std::memory_order_release);
    client_ = jack_client_open("Quintora_clock", JackNoStartServer, nullptr);
    if (client_ == nullptr) {
        return false;
    }
    out_ = jack_port_register(client_, "clock", JACK_DEFAULT_MIDI_TYPE, JackPortIsOutput, 0);
    follow_ = jack_port_register(client_, "segui", JACK_DEFAULT_AUDIO_TYPE, JackPortIsInput, 0);
    jack_on_shutdown(client_, &JackBeatClock::shutdown, this);
    if (out_ == nullptr || follow_ == nullptr ||
        jack_set_process_callback(client_, &JackBeatClock::process, this) != 0 ||
        jack_activate(client_) != 0) {
        close();
        return false;
    }
    return true;
}

void JackBeatClock::close() {
    if (client_ != nullptr) {
        // A client whose server died is only forgotten: libjack frees it by itself at the
        // next client any part of the program opens (the sound output's, every second
        // until the server is back), and a close after that would free it twice.
        if (!gone()) {
            jack_client_close(client_);
        }
        client_ = nullptr;
        out_ = nullptr;
        follow_ = nullptr;
    }
    sameGraph_.store(false, std::memory_order_release);
}

QStringList JackBeatClock::sendTo(const QStringList& ports) {
    QStringList connected;
    if (client_ == nullptr || gone()) {
        return connected;
    }
    const char* ours = jack_port_name(out_);
    if (const char** now = jack_port_get_connections(out_)) {
        for (int i = 0; now[i] != nullptr; ++i) {
            if (!ports.contains(QString::fromUtf8(now[i]))) {
                jack_disconnect(client_, ours, now[i]);
            }
        }
        jack_free(now);
    }
    for (const QString& port : ports) {
        const QByteArray name = port.toUtf8();
        if (jack_port_by_name(client_, name.constData()) == nullptr) {
            continue;
        }
        const int result = jack_connect(client_, ours, name.constData());
        if (result == 0 || result == EEXIST) {
            connected << port;
        }
    }
    return connected;
}

bool JackBeatClock::follow(const QString& engineClient) {
    if (client_ == nullptr || gone()) {
        return false;
    }
    bool fed = false;
    if (!engineClient.isEmpty()) {
        const QString pattern =
            QStringLiteral("^%1:").arg(QRegularExpression::escape(engineClient));
        const char** ports = jack_get_ports(client_, pattern.toUtf8().constData(),
                                            JACK_DEFAULT_AUDIO_TYPE, JackPortIsOutput);
        if (ports != nullptr && ports[0] != nullptr) {
            const int result = jack_connect(client_, ports[0], jack_port_name(follow_));
            fed = result == 0 || result == EEXIST;
        }
        jack_free(ports);
    }
    if (!fed) {
        jack_port_disconnect(client_, follow_);
    }
    sameGraph_.store(fed, std::memory_order_release);
    return fed;
}

void JackBeatClock::calibrate() {
    if (client_ == nullptr || gone()) {
        return;
    }
    using namespace std::chrono;
    const auto steady = duration_cast<microseconds>(steady_clock::now().time_since_epoch());
    const std::int64_t jack = std::int64_t(jack_get_time());
    steadyToJackUs_.store(jack - std::int64_t(steady.count()), std::memory_order_release);
}

void JackBeatClock::countIn(int beats) {
    countInBeats_.store(beats, std::memory_order_relaxed);
    countInAsked_.fetch_add(1, std::memory_order_release);
}

int JackBeatClock::process(std::uint32_t frames, void* self) {
    static_cast<JackBeatClock*>(self)->run(frames);
    return 0;
}

void JackBeatClock::shutdown(void* self) {
    static_cast<JackBeatClock*>(self)->gone_.store(true, std::memory_order_release);
}

// JACK's process thread: no allocation, no lock.
void JackBeatClock::run(std::uint32_t frames) {
    void* buffer = jack_port_get_buffer(out_, frames);
    jack_midi_clear_buffer(buffer);
    const std::int64_t start = std::int64_t(jack_last_frame_time(client_));
    const TimelineSnapshot t = timeline_.read();
    // The engine counts its own frames at its own rate, whatever the device's.
    const double rate = double(jack_get_sample_rate(client_));
    map_.ratio = rate / double(kEngineRate);
    if (sameGraph_.load(std::memory_order_acquire)) {
        // The engine ran before this client in this cycle: its period began here.
        if (t.callbacks != callbacksSeen_) {
            callbacksSeen_ = t.callbacks;
            map_.outFrame = start;
            map_.engineFrame = t.callbackStart;
        }
    } else {
        // Another device: where the server's frames were when the period began.
        const std::int64_t us =
            t.callbackNs / 1000 + steadyToJackUs_.load(std::memory_order_acquire);
        map_.outFrame =
            std::int64_t(jack_time_to_frames(client_, jack_time_t(std::max<std::int64_t>(us, 0))));
        map_.engineFrame = t.callbackStart;
    }
    const std::uint64_t asked = countInAsked_.load(std::memory_order_acquire);
    if (asked != countInTaken_) {
        countInTaken_ = asked;
        schedule_.countIn(map_.toEngine(double(start)),
                          countInBeats_.load(std::memory_order_relaxed));
    }
    const double tick =
        BeatSchedule::tickFrames(bpm_.load(std::memory_order_acquire), double(kEngineRate));
    const BeatSchedule::Events events = schedule_.period(start, frames, t, map_, tick);
    for (int i = 0; i < events.count; ++i) {
        const BeatSchedule::Event& e = events.at[std::size_t(i)];
        jack_midi_data_t byte = e.byte;
        jack_midi_event_write(buffer, e.offset, &byte, 1);
    }
}
