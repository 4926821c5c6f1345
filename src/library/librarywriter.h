#pragma once

#include <QObject>
#include <QSet>
#include <QString>
#include <QVariant>
#include <QVector>
#include <array>
#include <functional>
#include <memory>
#include <optional>

#include "library/gearmessage.h"
#include "library/loudnessstore.h"
#include "library/songrecord.h"

class SongDatabase;

// Every change to the song library goes through here: a song added, changed or
// removed, a running order rewritten. Each change is one transaction on a fresh
// connection to the library file, so a failed write (disk full, read-only file, the
// library locked by another program) leaves the file as it was and answers an
// Italian text naming the file. The sort keys are written with the song, so the
// file stays right when plain SQLite tools change it too. After every stored change
// `changed` tells the open lists which song to show. GUI thread only.
class LibraryWriter : public QObject {
    Q_OBJECT
public:
    // path gives the library file at the time of each change (the working folder
    // may change while the program runs).
    explicit LibraryWriter(std::function<QString()> path, QObject* parent = nullptr);

    // The song stored under id, or nothing (with *error) when it cannot be read.
    std::optional<SongRecord> song(qint64 id, QString* error) const;
    // Adds a song; its key, or nothing with *error.
    std::optional<qint64> addSong(const SongRecord& song, QString* error);
    // Adds songs in one transaction (an import). goOn(done) is asked every few
    // songs; false cancels and nothing is added. False with *error on failure;
    // false with an empty *error after a cancel.
    bool addSongs(const QVector<SongRecord>& songs, const std::function<bool(int)>& goOn,
                  QString* error);
    // Stores every field of song over the song id (its `Temp` mark is kept).
    bool updateSong(qint64 id, const SongRecord& song, QString* error);
    // The same, with the song's messages for other gear, in the same transaction.
    std::optional<qint64> addSong(const SongRecord& song, const GearMessages& gear, QString* error);
    bool updateSong(qint64 id, const SongRecord& song, const GearMessages& gear, QString* error);
    // addSongs() with each song's messages (gear[i] for songs[i]; missing: none).
    bool addSongs(const QVector<SongRecord>& songs, const QVector<GearMessages>& gear,
                  const std::function<bool(int)>& goOn, QString* error);
    // Removes the song (its audio files stay where they are; its messages go).
    bool removeSong(qint64 id, QString* error);
    // Running order list (1..5) becomes exactly the songs ids, in that order
    // (positions 1, 2, ...); every other song leaves it.
    bool setRunningOrder(int list, const QVector<qint64>& ids, QString* error);

    // The messages the song sends to other gear, in order (see GearStore); empty
    // with *error when the library cannot be read.
    GearMessages gearMessages(qint64 song, QString* error) const;
    // Song's messages become exactly gear.
    bool setGearMessages(qint64 song, const GearMessages& gear, QString* error);
    // The output ports whose devices count programs from 1 (shown and typed one
    // higher than stored); empty with *error when the library cannot be read.
    QSet<QString> portsCountingFromOne(QString* error) const;
    bool setCountsFromOne(const QString& port, bool fromOne, QString* error);

    // The loudness of the library's audio files as last measured, by path, and the
    // songs' trims (see LoudnessStore); empty with *error when the file cannot be read.
    QHash<QString, FileLoudness> fileLoudness(QString* error) const;
    QHash<qint64, double> trims(QString* error) const;
    double trim(qint64 song, QString* error) const;
    // The fields naming the audio files of every song (song < 0) or of one.
    QVector<SongAudio> songAudio(qint64 song, QString* error) const;
    // Stores the measures of files (one transaction; no list changes). False with
    // *error on failure.
    bool setFileLoudness(const QVector<FileLoudness>& files, QString* error);
    // The song's trim in decibels (0: none); trimChanged tells it.
    bool setTrim(qint64 song, double trimDb, QString* error);

    // The settings' songbook the song's page refers to, counted from 1 (0: it names
    // none, the first book; see SongbookStore); 0 with *error when the file cannot be
    // read.
    int songBook(qint64 song, QString* error) const;
    // The song's book becomes book (1 or less: the first); songBookChanged tells it.
    bool setSongBook(qint64 song, int book, QString* error);
    // The settings' books were moved or taken out: every song that names book b
    // (2 and up) names moves[b] instead, the first book when that is 1 or less (0: the
    // book was taken out). *defaulted gets the songs whose book was taken out. Nothing
    // is written when no song names a book that moved. False with *error on failure
    // (the songs then name the books they named).
    bool moveSongBooks(const QHash<int, int>& moves, int* defaulted, QString* error);

    // The songs of running order list in order (keys), empty with *error on failure.
    QVector<qint64> runningOrder(int list, QString* error) const;
    // The songs of running order list with their positions as stored, in order.
    struct Placed {
        qint64 id = -1;
        qint64 position = 0;
    };
    QVector<Placed> places(int list, QString* error) const;

    // What the set-list window shows of a song, with the title's sort key (the
    // title list's order: key, then id) and its position in each running order as
    // stored (0: not in it).
    struct Summary {
        qint64 id = -1;
        QString title;
        QString author;
        QVariant bpm;
        bool loop = false;
        QByteArray key;
        std::array<qint64, 5> places{};
    };
    // Every song in title order, empty with *error on failure.
    QVector<Summary> summaries(QString* error) const;
    // One song; nothing with an empty *error when the library holds no such song,
    // nothing with *error when the library cannot be read.
    std::optional<Summary> summary(qint64 id, QString* error) const;

    // The text for a failed write, naming the file.
    QString writeError(const QString& detail) const;

signals:
    // A change was stored; id is the song added, changed or removed (-1 when several
    // songs or a running order changed).
    void changed(qint64 id);
    // A song's trim of its loudness was stored.
    void trimChanged(qint64 id);
    // A song's songbook was stored (-1: several songs' books moved).
    void songBookChanged(qint64 id);

private:
    std::shared_ptr<SongDatabase> open(QString* error) const;
    // Opens the file and gives what read finds in it, or T() with *error.
    template <class T, class Read>
    T reading(QString* error, Read read) const {
        QString detail;
        auto db = open(&detail);
        if (!db) {
            *error = detail;
            return T();
        }
        return read(*db);
    }
    // Stores the song's fields, and its messages when gear holds any list.
    bool storeSong(qint64 id, const SongRecord& song, const std::optional<GearMessages>& gear,
                   QString* error);
    // Runs body inside one transaction; rolls back and fills *error on failure.
    bool transaction(const std::function<bool(SongDatabase&, QString*)>& body, QString* error);
    // The same for what is kept beside one song: refused when the song is gone.
    bool songTransaction(qint64 song, const std::function<bool(SongDatabase&, QString*)>& body,
                         QString* error);

    std::function<QString()> path_;
};
