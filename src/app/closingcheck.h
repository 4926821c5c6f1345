#pragma once

#include <QString>

class Audio;

// What closing the settings dialog requires: a working folder that holds the song
// library. When it does not, the user is told; a chosen folder is offered an empty
// library, and on a first run (the main window still hidden) the user may leave
// the program rather than stay in a dialog that cannot close. GUI thread only.
class ClosingCheck {
public:
    enum class Outcome {
        Close,  // the library is there (or was just created): save and close
        Stay,   // the dialog stays open as it was
        Quit,   // the user chose to leave the program without saving
    };

    explicit ClosingCheck(Audio& window) : w_(window) {}

    Outcome run();

    // True when the working folder holds the song library (Songs.mdb).
    static bool libraryPresent(Audio& window);

    static QString refusalText();
    static QString warningTitle();
    static QString createLibraryText(const QString& folder);
    static QString quitText();

    // Offers an empty library (Yes by default) in the chosen working folder when it
    // exists; true once the library is there. Failures are told.
    bool offerLibrary();

private:
    Audio& w_;
};
