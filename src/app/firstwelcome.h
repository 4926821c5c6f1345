#pragma once

#include <QString>
#include <QStringList>

class Audio;

// The first start's ways in, offered after the first-run message: the settings and
// the library of the Windows version, a new library filled from a CSV file, an
// empty library in a folder the user chooses, or the settings dialog as before.
// GUI thread only.
class FirstWelcome {
public:
    enum Choice { FromWindows, FromCsv, EmptyLibrary, Settings };

    explicit FirstWelcome(Audio& window) : w_(window) {}

    // Asks which way in; true when the user is in (settings saved, main window
    // shown), false when the settings dialog should take over.
    bool run();

    static QString text();
    static QStringList choices();
    static QString folderTitle();

private:
    bool newLibrary(bool thenCsv);

    Audio& w_;
};
