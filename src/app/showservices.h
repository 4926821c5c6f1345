#pragma once

class Clock;
class ListChooser;
class Prompter;
class QMainWindow;
class ShowCore;
struct CoreState;
class SongPreparation;
struct AudioControls;
struct SharedState;

// What keeping and resuming the show works with: the main window's controls (the
// lists, the volumes, the views), the shared state (read only), the preparation, the
// show core, the list chooser, the window whose status bar carries the resume
// line, the message boxes and the clock.
struct ShowServices {
    AudioControls& controls;
    const SharedState& state;
    SongPreparation& preparation;
    ShowCore& core;
    const CoreState& shown;  // the copy of the core's state the window shows
    ListChooser& lists;
    QMainWindow& window;
    Prompter& prompter;
    Clock& clock;
};
