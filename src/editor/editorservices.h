#pragma once

class ChooserFolders;
class Clock;
class FileChooser;
class GearOutput;
class GrooveSound;
class MediaPlayer;
class LibraryWriter;
class Prompter;
struct SharedState;

// What the song editor works with: the library writer, the message boxes, the file
// chooser and where it last chose each kind of file, the clock, the sound services it listens
// through, and the shared state (read only: the working folder, the MP3 folders and the transport
// flags), and the other gear on stage.
struct EditorServices {
    LibraryWriter& writer;
    Prompter& prompter;
    FileChooser& chooser;
    const SharedState& state;
    Clock& clock;          // the Tap button's time
    GrooveSound& grooves;  // "Ascolta"
    MediaPlayer& player;
    ChooserFolders& folders;     // where each chooser opens
    GearOutput* gear = nullptr;  // the other gear on stage ("Invia ora"); null: no MIDI
};
