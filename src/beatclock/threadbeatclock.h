#pragma once

#include <QStringList>
#include <atomic>
#include <cstdint>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

#include "beatclock/beatschedule.h"
#include "pedals/midisystem.h"

class EngineTimeline;
class RtMidiOut;

// The beat clock where no JACK server runs (ALSA's MIDI): a thread of its own, at
// real-time priority where the system grants it, that goes through the schedule a
// millisecond at a time on the steady clock (counted in the engine's frames) and
// sleeps until each message is due, then hands it to every chosen port. The
// engine's periods are placed by the time each began. Control thread only, except
// the thread's own work.
class ThreadBeatClock {
public:
    ThreadBeatClock(const EngineTimeline& timeline, MidiSystem::Api api);
    ~ThreadBeatClock();
    ThreadBeatClock(const ThreadBeatClock&) = delete;
    ThreadBeatClock& operator=(const ThreadBeatClock&) = delete;

    // Opens the ports listed now among ports (the others are left for a later
    // call) and starts the thread when one is open; the ports open afterwards.
    QStringList sendTo(const QStringList& ports);
    // Stops the thread and lets the ports go.
    void close();
    bool isOpen() const { return thread_.joinable(); }

    // Any thread: the prepared song's tempo (0: none), and a count-in of beats
    // beginning now, as ticks alone.
    void setTempo(double bpm) { bpm_.store(bpm, std::memory_order_release); }
    void countIn(int beats);

private:
    struct Port {
        QString name;
        std::unique_ptr<RtMidiOut> out;
    };
    void run();
    void send(std::uint8_t byte);

    const EngineTimeline& timeline_;
    const MidiSystem::Api api_;
    std::thread thread_;
    std::atomic<bool> stop_{false};
    std::atomic<double> bpm_{0};
    std::atomic<std::uint64_t> countInAsked_{0};
    std::atomic<int> countInBeats_{0};
    std::mutex portsMutex_;  // held only to hand a message over or to swap the list
    std::vector<Port> ports_;
};
