#pragma once

#include <atomic>
#include <cstdint>

struct _jack_client;

// Whether the JACK server the MIDI clients run on is still there and running its
// cycles: a client of its own that counts them and hears the server go. The MIDI
// library's JACK output waits without end for room when its client no longer runs
// (the server went), so the sender hands it nothing the server may never take.
// Never starts a server. Sender's thread, except JACK's own callbacks.
class JackPulse {
public:
    JackPulse() = default;
    ~JackPulse();
    JackPulse(const JackPulse&) = delete;
    JackPulse& operator=(const JackPulse&) = delete;

    // Joins the running server unless joined already; false when there is none.
    bool join();
    // Whether the server ran cycles since the last call (false before join()).
    bool beating();
    // Waits (at most limitMs) until the server has begun a cycle after this call:
    // what was connected before it is then in the graph. False when it did not.
    bool awaitNewCycle(int limitMs);
    // Whether the server went away since join().
    bool gone() const { return gone_.load(std::memory_order_acquire); }
    // Leaves the server (or what is left of it), so that join() looks for a new one.
    void leave();

private:
    static int process(std::uint32_t frames, void* self);
    static void shutdown(void* self);

    _jack_client* client_ = nullptr;
    std::atomic<std::uint64_t> cycles_{0};
    std::atomic<bool> gone_{false};
    std::uint64_t seen_ = 0;  // cycles at the last beating()
};
