#pragma once

#include <QString>
#include <cstdint>

class ShowCore;
struct CoreState;

// Connecting and disconnecting the pedal box (`Attiva`, `Disattiva`): opens the
// port, checks that the box is there, lights its interface-on lamp and starts the
// main tick; or stops everything, darkens the box and closes the port. On the show
// core's thread.
class PedalInterface {
public:
    // Attiva: the message of a failure, or empty when the box is attached.
    static QString Attiva(ShowCore& core);
    static void Disattiva(ShowCore& core);

    static QString openFailedText();
    static QString absentText();
    static QString lostText();

    // Lets go of a box that is absent or was lost: the poll and the tempo lamp stop,
    // the MP3 stops (a WAV groove keeps sounding), the box is darkened and its port
    // closed, and the detached state shows.
    static void dropBox(ShowCore& core);
    // The connection lamp's colour between tempo flashes: green while the box is
    // attached and there, red while it is detached or its device is away.
    static std::int64_t restColour(const CoreState& st);

private:
    static void stopTimers(ShowCore& core);
    // The detached state, after the port has been darkened and closed.
    static void showDetached(ShowCore& core);
};
