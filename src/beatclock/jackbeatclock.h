#pragma once

#include <QString>
#include <QStringList>
#include <atomic>
#include <cstdint>

#include "beatclock/beatschedule.h"

class EngineTimeline;
struct _jack_client;
struct _jack_port;

// The beat clock on a JACK server: a client of its own ("Quintora_clock") whose MIDI
// output "clock" carries Start, the ticks and Stop at the exact frame each is due,
// computed in its process callback from where the audio engine says the performance
// stands. When the engine plays through the same server, the client's audio input
// is fed from the engine's output: the server then runs the engine first in every
// cycle, and the clock knows the very frame the sound began in. Through any other
// device it goes by the time each audio period began. Never starts a server.
// Control thread only, except JACK's callbacks.
class JackBeatClock {
public:
    explicit JackBeatClock(const EngineTimeline& timeline);
    ~JackBeatClock();
    JackBeatClock(const JackBeatClock&) = delete;
    JackBeatClock& operator=(const JackBeatClock&) = delete;

    // Joins the running server; false when there is none.
    bool open();
    // Leaves it (quick also when the server went).
    void close();
    bool isOpen() const { return client_ != nullptr; }
    // Whether the server went away since open().
    bool gone() const { return gone_.load(std::memory_order_acquire); }

    // Connects the clock's output to exactly these ports (JACK's names), leaving the
    // others; the ports not there now are left for a later call. Returns those
    // connected.
    QStringList sendTo(const QStringList& ports);
    // Follows the engine playing through this JACK client (empty: through another
    // device, or none): fed from its output when it can be. True when it is.
    bool follow(const QString& engineClient);
    // Measures again how JACK's own clock stands to the steady clock the engine
    // stamps its periods with (they may be different clocks that drift apart).
    void calibrate();

    // Any thread: the prepared song's tempo (0: none), and a count-in of beats
    // beginning now (with the next cycle), as ticks alone.
    void setTempo(double bpm) { bpm_.store(bpm, std::memory_order_release); }
    void countIn(int beats);

private:
    static int process(std::uint32_t frames, void* self);
    static void shutdown(void* self);
    // JACK's process thread: no allocation, no lock.
    void run(std::uint32_t frames);

    const EngineTimeline& timeline_;
    _jack_client* client_ = nullptr;
    _jack_port* out_ = nullptr;
    _jack_port* follow_ = nullptr;  // the audio input that orders the engine first
    std::atomic<bool> gone_{false};
    std::atomic<double> bpm_{0};
    std::atomic<std::int64_t> steadyToJackUs_{0};
    std::atomic<bool> sameGraph_{false};
    // A count-in asked for, taken by the process thread.
    std::atomic<std::uint64_t> countInAsked_{0};
    std::atomic<int> countInBeats_{0};
    // The process thread's own.
    std::uint64_t countInTaken_ = 0;
    std::uint64_t callbacksSeen_ = 0;
    BeatSchedule::FrameMap map_;
    BeatSchedule schedule_;
};
