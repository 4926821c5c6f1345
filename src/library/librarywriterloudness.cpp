// LibraryWriter: the loudness of the audio files and the songs' trims.
#include "library/librarywriter.h"
#include "library/loudnessstore.h"
#include "library/songdatabase.h"

QHash<QString, FileLoudness> LibraryWriter::fileLoudness(QString* error) const {
    return reading<QHash<QString, FileLoudness>>(
        error, [&](SongDatabase& db) { return LoudnessStore::files(db, error); });
}

QHash<qint64, double> LibraryWriter::trims(QString* error) const {
    return reading<QHash<qint64, double>>(
        error, [&](SongDatabase& db) { return LoudnessStore::trims(db, error); });
}

double LibraryWriter::trim(qint64 song, QString* error) const {
    return reading<double>(error,
                           [&](SongDatabase& db) { return LoudnessStore::trim(db, song, error); });
}
QVector<SongAudio> LibraryWriter::songAudio(qint64 song, QString* error) const {
    return reading<QVector<SongAudio>>(
        error, [&](SongDatabase& db) { return LoudnessStore::songAudio(db, song, error); });
}

bool LibraryWriter::setFileLoudness(const QVector<FileLoudness>& files, QString* error) {
    return transaction(
        [&](SongDatabase& db, QString* why) {
            for (const FileLoudness& f : files) {
                if (!LoudnessStore::setFile(db, f, why)) {
                    return false;
                }
            }
            return true;
        },
        error);
}

bool LibraryWriter::setTrim(qint64 song, double trimDb, QString* error) {
    const bool ok =
        transaction([&](SongDatabase& db,
                        QString* why) { return LoudnessStore::setTrim(db, song, trimDb, why); },
                    error);
    if (ok) {
        emit trimChanged(song);
    }
    return ok;
}
