#pragma once

#include <QObject>

class Audio;
struct CoreState;

// Binds the main window to the show core: the window's lamps, the play-list switch,
// the prepared song's row and the shared state's transport part follow the copies
// of the core's state; its messages reach the user through the prompter and its
// delay log and status the diagnostics panel; the switch and the volume sliders
// send the core their values. GUI thread only.
class ShowBinding : public QObject {
    Q_OBJECT
public:
    explicit ShowBinding(Audio& window);

    // Hands the core the settings its rules read (the count-in, the MP3 folders),
    // before a command that may use them.
    void sendSettings();

private:
    void show(const CoreState& s);

    Audio& w_;
};
