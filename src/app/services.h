#pragma once

#include <QString>

class Clock;
class Prompter;
class PortIo;
class MediaPlayer;
class GrooveSound;
class WaveVolume;
class FileProbe;
class ProcessLauncher;
class Choosers;
class DeviceControl;
class FileChooser;
class ExportChooser;
class PathChooser;
class ClickSound;
class ShowThread;
class BeatClock;
class GearSender;
class LevelSink;
class OutputWatch;

// What the main window is built from, so that the whole program runs the same way
// in the product and in a test. The owner (main() or the test harness) keeps every
// object alive for as long as the main window lives.
struct Services {
    Clock& clock;
    Prompter& prompter;
    PortIo& port;            // IO1: the pedal box's port
    MediaPlayer& player;     // MediaPlayer1
    GrooveSound& grooves;    // the groove sound service
    WaveVolume& waveVolume;  // Volume1
    FileProbe& files;
    ProcessLauncher& launcher;
    QString configPath;  // the configuration file
    // The settings dialog's colour and font choosers; null: the desktop's own dialogs.
    Choosers* choosers = nullptr;
    // The sound output and the pedal interface that the settings dialog changes;
    // null: they cannot be changed while the program runs.
    DeviceControl* devices = nullptr;
    // The song editor's file chooser; null: the desktop's own dialogs.
    FileChooser* fileChooser = nullptr;
    // The save dialog of the exports; null: the desktop's own dialog.
    ExportChooser* exportChooser = nullptr;
    // The imports' folder and save choosers; null: the desktop's own dialogs.
    PathChooser* pathChooser = nullptr;
    // The count-in's audible click; null: it makes no sound.
    ClickSound* click = nullptr;
    // The thread the show core runs on; null: the GUI thread (the tests' manual clock).
    // The port, the sound services and the clock must then be safe to use from it.
    ShowThread* showThread = nullptr;
    // What sends each song's messages to the other gear on stage (it lives on a
    // thread of its own); null: none, the diagnostics panel's log of them stays empty.
    GearSender* gear = nullptr;
    // Where the gains of even loudness go (the audio engine); null: no levelling.
    LevelSink* levels = nullptr;
    // What sends the prepared song's tempo to the other gear as MIDI beat clock;
    // null: none.
    BeatClock* beatClock = nullptr;
    // What watches the sound output and starts it again when its device is back;
    // null: none (a lost output then stays silent).
    OutputWatch* outputWatch = nullptr;
};
