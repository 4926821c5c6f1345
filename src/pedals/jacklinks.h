#pragma once

#include <QString>

struct _jack_client;

// The connections between the ports of a JACK server, as a patchbay or a session
// manager changes them: whether a controller's port still feeds this program's
// pedal input. Opens a client of its own on first use and never starts a server.
// GUI thread only.
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

private:
    _jack_client* client_ = nullptr;
    bool tried_ = false;
};
