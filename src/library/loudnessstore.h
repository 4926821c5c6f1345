#pragma once

#include <QHash>
#include <QString>
#include <QVector>

#include "library/songfiles.h"

class SongDatabase;

// One audio file's loudness as last measured, with the file's size and time then:
// a file whose size or time differ since is measured again.
struct FileLoudness {
    QString path;
    qint64 size = -1;
    qint64 modifiedMs = 0;
    bool measured = false;  // lufs and peakDb hold the measure; else why says why not
    double lufs = 0;
    double peakDb = 0;
    QString why;

    bool sameFileAs(const FileLoudness& other) const {
        return size == other.size && modifiedMs == other.modifiedMs;
    }
};

// The loudness as the library file keeps it: the table `LivelliFile` (one row per
// audio file) and the table `LivelliBrano` (a song's trim in decibels). Rows another
// SQLite client wrote badly are skipped when read (the file is then measured again;
// a trim counts as none). A file of an earlier version has neither. The writes run
// inside the caller's transaction (LibraryWriter). One thread at a time.
namespace LoudnessStore {

inline const QString kFiles = QStringLiteral("LivelliFile");
inline const QString kSongs = QStringLiteral("LivelliBrano");

// Every file's row, by path; empty with *error when the file cannot be read.
QHash<QString, FileLoudness> files(SongDatabase& db, QString* error);
// Every song's trim that is not 0, by song.
QHash<qint64, double> trims(SongDatabase& db, QString* error);
// The fields naming the audio files of every song (song < 0) or of one.
QVector<SongAudio> songAudio(SongDatabase& db, qint64 song, QString* error);
// One song's trim (0 when it has none).
double trim(SongDatabase& db, qint64 song, QString* error);

bool setFile(SongDatabase& db, const FileLoudness& file, QString* why);
bool setTrim(SongDatabase& db, qint64 song, double trimDb, QString* why);

}  // namespace LoudnessStore
