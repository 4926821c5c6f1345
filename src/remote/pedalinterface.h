#pragma once

#include <QString>

class Audio;

// Connecting and disconnecting the pedal box (`Attiva`, `Disattiva`): opens the
// port, checks that the box is there, lights its interface-on lamp and starts the
// main tick; or stops everything, darkens the box and closes the port.
// GUI thread only.
class PedalInterface {
public:
    explicit PedalInterface(Audio& window);

    void Attiva();
    void Disattiva();

    // The name of the port, as Attiva sets it.
    QString Porta() const { return porta_; }

    static QString openFailedText();
    static QString absentText();
    static QString lostText();

    // Lets go of a box that is absent or was lost: the poll and the tempo lamp stop,
    // the MP3 stops (a WAV groove keeps sounding), the box is darkened and its port
    // closed, and the window shows the detached state.
    void dropBox();

    // The detached state on the window and in the shared state, after the port has
    // been darkened and closed (also when the main tick finds the box lost).
    void showDetached();

private:
    Audio& w_;
    QString porta_;
};
