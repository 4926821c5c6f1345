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

private:
    // The detached state on the window and in the shared state, after the port has
    // been darkened and closed.
    void showDetached();

    Audio& w_;
    QString porta_;
};
