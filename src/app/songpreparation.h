#pragma once

#include <QString>

#include "library/gearmessage.h"
#include "playback/preparedfiles.h"

class Audio;

// Preparing the highlighted song (`Prepara`, the Esc key): the second grid takes
// the same list and row, the song's fields are read and its files looked up, and
// the show core is told to prepare it (the previous sound stops, the count-in and
// the silent preload begin). A file of the song that is missing is named in red on
// the main window (no message box, which would take the pedal keys mid-show). Does
// nothing while the pedal box is detached. GUI thread only.
class SongPreparation {
public:
    explicit SongPreparation(Audio& window);

    void Prepara();

    // Which files of the song prepared last were found.
    const PreparedFiles& files() const { return files_; }

    // The path of a groove: working folder + the first three characters of the
    // song's first groove + separator + the groove's name.
    static QString groovePath(const QString& pathLavoro, const QString& groove1,
                              const QString& groove);

private:
    static QStringList runningOrder(const class DataSource& list);
    void copySelection();
    void mirrorOnDiagnostics();
    void showMissing();

    Audio& w_;
    PreparedFiles files_;
};
