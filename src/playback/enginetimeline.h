#pragma once

#include <atomic>
#include <cstdint>

// What the audio callback last said about where the performance stands, in the
// engine's frames (its own count of frames rendered): when its last period began,
// and when the performer's sound (a groove or the MP3, not the count-in's click)
// last began and last ended. Something that must follow the sound the audience
// hears (the beat clock) reads it from its own real-time thread.
struct TimelineSnapshot {
    std::uint64_t callbacks = 0;     // periods rendered
    std::int64_t callbackStart = 0;  // the engine frame the last period began with
    std::int64_t callbackNs = 0;     // when it began, on the steady clock (ns)
    std::uint64_t starts = 0;        // the sound began this many times
    std::int64_t startFrame = -1;    // the first frame of the last beginning
    std::uint64_t stops = 0;         // and ended this many times
    std::int64_t stopFrame = -1;     // the frame the last end began to fade at
    bool performing = false;         // the performer's sound is on

    bool operator==(const TimelineSnapshot&) const = default;
};

// One writer (the audio callback) that never waits, any number of readers that
// never see half of a snapshot: a sequence count that is odd while a snapshot is
// written, read again after the fields to see that none changed meanwhile.
class EngineTimeline {
public:
    // Audio thread: no allocation, lock, file access or logging.
    void publish(const TimelineSnapshot& s) {
        const std::uint64_t seq = sequence_.load(std::memory_order_relaxed);
        sequence_.store(seq + 1, std::memory_order_relaxed);
        std::atomic_thread_fence(std::memory_order_release);
        callbacks_.store(s.callbacks, std::memory_order_relaxed);
        callbackStart_.store(s.callbackStart, std::memory_order_relaxed);
        callbackNs_.store(s.callbackNs, std::memory_order_relaxed);
        starts_.store(s.starts, std::memory_order_relaxed);
        startFrame_.store(s.startFrame, std::memory_order_relaxed);
        stops_.store(s.stops, std::memory_order_relaxed);
        stopFrame_.store(s.stopFrame, std::memory_order_relaxed);
        performing_.store(s.performing, std::memory_order_relaxed);
        sequence_.store(seq + 2, std::memory_order_release);
    }

    // Any thread, real-time ones included: waits only while a period's few stores
    // are under way.
    TimelineSnapshot read() const {
        TimelineSnapshot s;
        for (;;) {
            const std::uint64_t before = sequence_.load(std::memory_order_acquire);
            if (before % 2 != 0) {
                continue;
            }
            s.callbacks = callbacks_.load(std::memory_order_relaxed);
            s.callbackStart = callbackStart_.load(std::memory_order_relaxed);
            s.callbackNs = callbackNs_.load(std::memory_order_relaxed);
            s.starts = starts_.load(std::memory_order_relaxed);
            s.startFrame = startFrame_.load(std::memory_order_relaxed);
            s.stops = stops_.load(std::memory_order_relaxed);
            s.stopFrame = stopFrame_.load(std::memory_order_relaxed);
            s.performing = performing_.load(std::memory_order_relaxed);
            std::atomic_thread_fence(std::memory_order_acquire);
            if (sequence_.load(std::memory_order_relaxed) == before) {
                return s;
            }
        }
    }

private:
    std::atomic<std::uint64_t> sequence_{0};
    std::atomic<std::uint64_t> callbacks_{0};
    std::atomic<std::int64_t> callbackStart_{0};
    std::atomic<std::int64_t> callbackNs_{0};
    std::atomic<std::uint64_t> starts_{0};
    std::atomic<std::int64_t> startFrame_{-1};
    std::atomic<std::uint64_t> stops_{0};
    std::atomic<std::int64_t> stopFrame_{-1};
    std::atomic<bool> performing_{false};
};
