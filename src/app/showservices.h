#pragma once

class Clock;
class GrooveSound;
class MediaPlayer;
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
// line, the message boxes, the clock and the sound services.
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
    // Where the sound stands (the groove's frame, the MP3's place), kept for a
    // resume that sounds again.
    const GrooveSound& grooves;
    const MediaPlayer& player;
};
