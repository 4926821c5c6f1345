#pragma once

#include <QString>
#include <functional>

class ExportChooser;
class FileChooser;
class FileProbe;
class LibraryWriter;
class Prompter;
struct SharedState;

// What the imports and exports of the menu "Archivio" work with: the library
// writer (every import goes through it), the library file's path at the time of
// the action, the message boxes, the open and save choosers, the file probe and
// the shared state (read only: the working folder and the MP3 folders).
struct CsvServices {
    LibraryWriter& writer;
    std::function<QString()> library;
    Prompter& prompter;
    FileChooser& files;
    ExportChooser& saver;
    const FileProbe& probe;
    const SharedState& state;
};
