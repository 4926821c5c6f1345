#pragma once

#include <QString>

#include "playback/preparedfiles.h"

class Audio;

// Preparing the highlighted song (`Prepara`, the Esc key): the second grid takes
// the same list and row, the output is muted and the previous sound stopped, the
// song's fields go into the shared state, the tempo lamp's count-in starts, the
// groove paths are built or the MP3 loaded, and the silent preload begins. A file of
// the song that is missing is named in red on the main window (no message box, which
// would take the pedal keys mid-show). Does nothing while the pedal box is detached.
// GUI thread only.
class SongPreparation {
public:
    explicit SongPreparation(Audio& window);

    void Prepara();

    // Both pedals released and silent: the preload lamp red, the pedal flags and
    // lamps cleared, the delay log emptied and the output back to the interface lamp
    // alone. Also the Space key's reset.
    void resetLamps();

    // How many songs were prepared since the start.
    int count() const { return count_; }

    // Which files of the song prepared last were found.
    const PreparedFiles& files() const { return files_; }

    // The path of a groove: working folder + the first three characters of the
    // song's first groove + separator + the groove's name.
    static QString groovePath(const QString& pathLavoro, const QString& groove1,
                              const QString& groove);

private:
    void copySelection();
    void silence();
    void readTempo(const class QVariant& bpm);
    void firstGroove();
    void mirrorOnDiagnostics();
    void showMissing();

    Audio& w_;
    PreparedFiles files_;
    QString mp3Path_;  // the MP3 found for the song being prepared
    int count_ = 0;
};
