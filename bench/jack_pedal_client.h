#pragma once

// The MIDI benchmark's own JACK client: a MIDI output that plays the foot on the
// program's pedal, and two audio inputs wired to the program's output that listen
// for its sound. Everything it measures is in JACK's frames, counted on JACK's
// thread, so a stalled or busy GUI thread in the benchmark's process never moves
// a figure.
#include <jack/jack.h>
#include <jack/midiport.h>

#include <QString>
#include <atomic>
#include <chrono>
#include <cmath>
#include <cstdint>
#include <thread>

class JackPedalClient {
public:
    JackPedalClient() = default;
    JackPedalClient(const JackPedalClient&) = delete;
    JackPedalClient& operator=(const JackPedalClient&) = delete;
    ~JackPedalClient() { close(); }

    // Joins the running server as `name` with the ports "pedals", "in_1" and "in_2".
    bool open(const char* name) {
        client_ = jack_client_open(name, JackNoStartServer, nullptr);
        if (client_ == nullptr) {
            return false;
        }
        midi_ = jack_port_register(client_, "pedals", JACK_DEFAULT_MIDI_TYPE, JackPortIsOutput, 0);
        in_[0] = jack_port_register(client_, "in_1", JACK_DEFAULT_AUDIO_TYPE, JackPortIsInput, 0);
        in_[1] = jack_port_register(client_, "in_2", JACK_DEFAULT_AUDIO_TYPE, JackPortIsInput, 0);
        jack_set_process_callback(client_, &JackPedalClient::process, this);
        jack_set_xrun_callback(client_, &JackPedalClient::xrun, this);
        return jack_activate(client_) == 0;
    }

    // Leaves the server (before it stops).
    void close() {
        if (client_ != nullptr) {
            jack_deactivate(client_);
            jack_client_close(client_);
            client_ = nullptr;
        }
    }

    // Wires the first two audio outputs that are not the dummy device's own (the
    // program's) into the listening inputs.
    void hearProgram() {
        const char** ports =
            jack_get_ports(client_, nullptr, JACK_DEFAULT_AUDIO_TYPE, JackPortIsOutput);
        int wired = 0;
        for (int i = 0; ports != nullptr && ports[i] != nullptr && wired < 2; ++i) {
            if (QString::fromUtf8(ports[i]).startsWith(QLatin1String("system:"))) {
                continue;
            }
            jack_connect(client_, ports[i], jack_port_name(in_[wired++]));
        }
        jack_free(ports);
    }

    // JACK's frame counter now (any thread).
    std::int64_t now() const { return std::int64_t(jack_frame_time(client_)); }

    // Sends pedal 1's note (velocity 0: its release) at the start of the next period
    // and waits until JACK's thread has sent it; returns that period's first frame.
    // A note with a velocity starts listening for the program's first sample anew.
    std::int64_t send(int velocity) {
        send_.store(velocity);
        while (send_.load() >= 0) {
            std::this_thread::sleep_for(std::chrono::microseconds(100));
        }
        return sentAt_.load();
    }

    // The cycles the JACK server saw a client (the program's, or this one) late for.
    int xruns() const { return xruns_.load(); }

    // Whether JACK told of a late cycle between the frames from and to (JACK tells
    // a little after the cycle, so `to` should allow for that).
    bool xrunBetween(std::int64_t from, std::int64_t to) const {
        for (const auto& at : xrunAt_) {
            const std::int64_t frame = at.load();
            if (frame >= from && frame <= to) {
                return true;
            }
        }
        return false;
    }

    // The frame of the first audible sample since the last note with a velocity; -1
    // while none was heard.
    std::int64_t heardAt() const { return heardAt_.load(); }

    // True when nothing audible came out of the program for the last `frames`.
    bool silentFor(std::int64_t frames) const {
        const std::int64_t last = lastAudible_.load();
        return last < 0 || now() - last > frames;
    }

private:
    static bool audible(float s) { return std::fabs(s) > 1e-4f; }

    static int xrun(void* self) {
        auto* me = static_cast<JackPedalClient*>(self);
        const int n = me->xruns_.fetch_add(1);
        me->xrunAt_[std::size_t(n) % kXrunsKept].store(me->now());
        return 0;
    }

    // JACK's process thread: no allocation, no lock, no log.
    static int process(jack_nframes_t frames, void* self) {
        auto* me = static_cast<JackPedalClient*>(self);
        void* out = jack_port_get_buffer(me->midi_, frames);
        jack_midi_clear_buffer(out);
        const std::int64_t start = jack_last_frame_time(me->client_);
        const int velocity = me->send_.load();
        if (velocity >= 0) {
            jack_midi_data_t* m = jack_midi_event_reserve(out, 0, 3);
            if (m != nullptr) {  // otherwise in the next period
                m[0] = velocity > 0 ? 0x90 : 0x80;
                m[1] = 60;
                m[2] = jack_midi_data_t(velocity);
                if (velocity > 0) {
                    me->heardAt_.store(-1);
                    me->listening_.store(true);
                }
                me->sentAt_.store(start);
                me->send_.store(-1);
            }
        }
        std::int64_t first = -1;
        std::int64_t last = -1;
        for (auto* port : me->in_) {
            const auto* s = static_cast<const float*>(jack_port_get_buffer(port, frames));
            for (jack_nframes_t i = 0; i < frames; ++i) {
                if (audible(s[i])) {
                    const std::int64_t at = start + std::int64_t(i);
                    first = first < 0 ? at : std::min(first, at);
                    last = std::max(last, at);
                }
            }
        }
        if (last >= 0) {
            me->lastAudible_.store(last);
            if (me->listening_.exchange(false)) {
                me->heardAt_.store(first);
            }
        }
        return 0;
    }

    jack_client_t* client_ = nullptr;
    jack_port_t* midi_ = nullptr;
    jack_port_t* in_[2] = {nullptr, nullptr};
    std::atomic<int> send_{-1};  // velocity to send in the next period (0: note off)
    std::atomic<bool> listening_{false};
    std::atomic<std::int64_t> sentAt_{-1};
    std::atomic<std::int64_t> heardAt_{-1};
    std::atomic<std::int64_t> lastAudible_{-1};
    std::atomic<int> xruns_{0};
    static constexpr std::size_t kXrunsKept = 64;
    std::atomic<std::int64_t> xrunAt_[kXrunsKept] = {};  // when the last late cycles were told
};
