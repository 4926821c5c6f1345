#pragma once

#include <QHash>
#include <QObject>
#include <QStringList>

#include "library/loudnessstore.h"

class Audio;
class Leveller;
class LibraryWriter;

// The main window's side of even loudness: the levelling on the window's library,
// following the settings and the folders (apply), every stored change of a song,
// the library check and the song prepared. Without a place for the gains (a test's
// recording sound service) it does nothing. GUI thread only.
class AudioLevels : public QObject {
    Q_OBJECT
public:
    AudioLevels(Audio& window, LibraryWriter& writer);
    ~AudioLevels() override;

    // Takes the settings and the folders of the shared state.
    void apply();
    // The song prepared: its trim in decibels and the files it plays.
    void prepared(double trimDb, const QStringList& files);
    // The library check: every file is looked at again; what the library holds of
    // the files measured before, while the levelling is on (else nothing).
    QHash<QString, FileLoudness> checkLibrary();
    // The levelling itself, or null (tests and benchmarks).
    Leveller* leveller() const { return leveller_; }

private:
    Audio& w_;
    Leveller* leveller_ = nullptr;
};
