#pragma once

#include <QString>
#include <atomic>
#include <cstdint>

struct _jack_client;
struct _jack_port;

// The connections between the ports of a JACK server, as a patchbay or a session
// manager changes them: whether a controller's port still feeds this program's
// pedal input. Also listens to the controller beside the MIDI library, counting the
// short messages its port sends, so that an input that stopped handing them over
// can be told from a controller that is quiet. Opens a client of its own on first
// use and never starts a server; once that server died, listen() opens a fresh one.
// Called only on the thread its MIDI input lives on (the show thread once the pedal
// box moved there), except JACK's callbacks.
class JackLinks {
public:
    JackLinks() = default;
    ~JackLinks();
    JackLinks(const JackLinks&) = delete;
    JackLinks& operator=(const JackLinks&) = delete;

    // Whether the port named source (as the MIDI system lists it) is connected to an
    // input of this program named input ("pedals_in"); also true when it cannot
    // be told (no server, no such port), so that only a connection seen missing
    // counts as lost.
    bool feeds(const QString& source, const QString& input);

    // Listens to source from now on (connecting it again if need be); false when
    // that cannot be done.
    bool listen(const QString& source);
    // The short messages (notes, controls, ...) heard from the source so far.
    std::uint64_t heard() const { return heard_.load(std::memory_order_acquire); }
    // Whether the JACK server of the client opened has died since: every other client
    // the program made on it is then dead too, and is never to be closed (libjack frees
    // such clients by itself at the next client opened, and a close after that would
    // free them twice).
    bool serverGone() const { return client_ != nullptr && gone_.load(std::memory_order_acquire); }

private:
    bool ready();
    static int process(std::uint32_t frames, void* self);
    // JACK's own thread, when the server dies or drops the client.
    static void shutdown(void* self);

    _jack_client* client_ = nullptr;
    _jack_port* ear_ = nullptr;
    bool tried_ = false;
    std::atomic<std::uint64_t> heard_{0};
    std::atomic<bool> gone_{false};
};
