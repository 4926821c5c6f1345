#pragma once

class Clock;
class FileChooser;
class LibraryWriter;
class Prompter;
struct SharedState;

// What the song editor works with: the library writer, the message boxes, the file
// chooser and the folders (read only: the working folder and the MP3 folders).
struct EditorServices {
    LibraryWriter& writer;
    Prompter& prompter;
    FileChooser& chooser;
    const SharedState& state;
    Clock& clock;  // the Tap button's time
};
