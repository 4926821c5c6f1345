#pragma once

#include <QString>
#include <optional>

#include "editor/editorservices.h"

class QWidget;

// Brings a chosen audio file to where playback looks for it. A WAV groove is
// checked with the program's own WAV analysis; one in another format is, when the
// user agrees, converted into a proper groove (16 bits, 44100 Hz, mono or stereo).
// It then goes into the working folder's sub-folder named after the first three
// characters of groove 1's name (groove 2 into groove 1's folder). An MP3 file in
// one of the MP3 folders is used where it is; another is copied into the MP3 folder
// the user picks. A file already in place is used as it is; nothing is overwritten
// without a question (default No), and a file left in place may then be used
// instead. Each chooser opens where the user last chose a file of its kind. Every
// failure is told in a message box. GUI thread only.
class FilePlacer {
public:
    FilePlacer(const EditorServices& services, QWidget* parent);

    // Chooses and places a WAV groove; groove1 is the song's groove 1 name when the
    // groove is its second one (empty for groove 1). The name to store, or nothing.
    std::optional<QString> chooseWav(const QString& groove1);
    // Chooses and places an MP3 file. The name to store, or nothing.
    std::optional<QString> chooseMp3();

    // The folder (ending in the separator) where the grooves of a song whose groove
    // 1 is named groove1 lie.
    static QString grooveFolder(const QString& workFolder, const QString& groove1);
    // grooveFolder(), or the folder of that name under another letter case that is
    // already there (the one playback finds).
    static QString foundGrooveFolder(const QString& workFolder, const QString& groove1);

    // Brings groove 2, named groove2 and lying in folder from, into the folder of
    // groove 1 newGroove1 (asking before replacing another file there). True when
    // the song's groove 2 is now there; false after telling that it must be chosen
    // again.
    bool bringAlong(const QString& groove2, const QString& from, const QString& newGroove1);

private:
    // Copies from into to; true when to holds it, or holds another file the user
    // chose to use instead of replacing it.
    bool place(const QString& from, const QString& to, bool convert);
    void fail(const QString& text);

    EditorServices services_;
    QWidget* parent_;
};
