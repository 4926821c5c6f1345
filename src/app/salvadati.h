#pragma once

#include <QString>

#include "config/configdata.h"

class Audio;
struct ImpspathControls;

// `Salvadati`: puts every value of the settings dialog in force and writes the
// configuration file. In order: metronome values, timer intervals, grid colours,
// column flags, the stage settings and the songbooks (the songs of the library open
// until now following the books that moved); the file; the library of the main
// window when the working folder changed; the main window shown; both grids
// refreshed; last the audio output and the pedal interface. A file that cannot be
// written is reported and the settings stay in force. GUI thread only.
class Salvadati {
public:
    Salvadati(Audio& window, const ImpspathControls& controls);

    void run();

    // What the file receives, from the shared state and the dialog as they are now.
    ConfigData configData() const;

    static QString saveFailedText(const QString& error);
    // The songs could not follow the songbooks moved or taken out (error says why).
    static QString songbooksKeptText(const QString& error);
    // songs named a songbook taken out and now name the first.
    static QString songbooksDefaultedText(int songs);
    // A timer interval from the text of its box: the leading number, brought into
    // 0 to the longest interval the file holds.
    static double intervalOf(const QString& text);

private:
    void applyValues();
    void applyStage();
    void applySongbooks();
    void followWorkingFolder();

    Audio& w_;
    const ImpspathControls& c_;
};
