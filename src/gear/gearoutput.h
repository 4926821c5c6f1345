#pragma once

#include <QStringList>

#include "library/gearmessage.h"

// Where the song editor and the library check reach the other gear on stage: the
// output ports there are now, and a list of messages sent at once ("Invia ora").
// The program's implementation sends on a thread of its own; any thread may call.
class GearOutput {
public:
    virtual ~GearOutput() = default;
    // The output ports the system lists now (names as MidiSystem compares them).
    virtual QStringList ports() const = 0;
    // Sends the messages now, in order, whatever song is prepared.
    virtual void sendNow(const GearMessages& messages) = 0;
};
