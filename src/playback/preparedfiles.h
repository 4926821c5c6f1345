#pragma once

#include <QString>
#include <QStringList>
#include <array>

struct SharedState;

// Which of the prepared song's files are there to be played, checked when the song
// is prepared: a groove must be a regular file at the path built for it, an MP3 must
// have been found in one of the MP3 folders as a regular file. A pedal whose sound
// cannot come lights nothing; the main window names what is missing. GUI thread only.
class PreparedFiles {
public:
    // Checks the song whose fields and paths st holds; mp3Path is the MP3 that was
    // found for an MP3 song (empty when none was).
    void check(const SharedState& st, const QString& mp3Path);

    // Whether pedal 1 or 2 has a sound to start (true for a pedal the song gives no
    // file, which does nothing anyway).
    bool canSound(int pedal) const { return canSound_[pedal == 2 ? 1 : 0]; }
    bool allFound() const { return missing_.isEmpty(); }

    // The line the main window shows for the song of the given title: empty when
    // every file was found.
    QString text(const QString& title) const;

private:
    QStringList missing_;
    std::array<bool, 2> canSound_{true, true};
};
