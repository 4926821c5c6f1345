#pragma once

#include <QString>
#include <QStringList>
#include <array>

// Which of the prepared song's files are there to be played, checked when the song
// is prepared: a groove must be a regular file at the path built for it, an MP3 must
// have been found in one of the MP3 folders as a regular file. A pedal whose sound
// cannot come lights nothing; the main window names what is missing. GUI thread only.
class PreparedFiles {
public:
    // Checks a song: a loop song's grooves (their names and the paths built for
    // them, named below the working folder when missing), or an MP3 song's first
    // groove and the MP3 that was found for it (mp3Path, empty when none was).
    void check(bool loop, const std::array<QString, 2>& names, const std::array<QString, 2>& files,
               const QString& mp3Path, const QString& pathLavoro);

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
