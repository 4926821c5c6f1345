#pragma once

#include <QString>

class Audio;

// Leaving the program: the exit command (`Esci`, menu "Esci") darkens and detaches
// the pedal box, stops the sound and closes the diagnostics panel before asking;
// closing the main window from its frame only asks. On Yes the program ends at
// once without saving; on No everything goes on, the pedal poll running again.
// GUI thread only.
class Shutdown {
public:
    explicit Shutdown(Audio& window);

    // The exit command.
    void esci();
    // The closing handling: true when the window may close (the user said Yes).
    bool confirmClose();

    static QString questionText();
    static QString questionTitle();

private:
    Audio& w_;
};
