#pragma once

#include <QHash>
#include <QObject>
#include <QString>
#include <QStringList>
#include <QVector>
#include <array>
#include <memory>

#include "config/value.h"
#include "library/loudnessstore.h"
#include "loudness/leveloptions.h"

class LevelSink;
class LibraryWriter;
class LoudnessWork;

// Even loudness: while it is on, the library's grooves and backing tracks are
// measured in the background (LoudnessWork), the measures kept in the library file,
// and the gains that bring each file to the target, with each song's trim, handed to
// the engine (LevelSink). Off, the engine gets no gains and nothing is measured.
// A measure the library file cannot take now is kept for this run and written with
// the next one. GUI thread only.
class Leveller : public QObject {
    Q_OBJECT
public:
    Leveller(LibraryWriter& writer, LevelSink& sink, QObject* parent = nullptr);
    ~Leveller() override;

    void setOptions(const LevelOptions& options);
    const LevelOptions& options() const { return options_; }
    // Where the songs' files lie (the working folder and the MP3 folders).
    void setFolders(const QString& pathLavoro, const std::array<Value, 10>& mp3Folders);

    // Looks at every song of the library again, and measures what is new or
    // changed (at start-up, after an import, in the library check). song: only that
    // song (after it was saved).
    void surveyLibrary();
    void surveySong(qint64 song);
    // The song prepared: its trim for its files, which are looked at again (one
    // changed on disk since is measured again).
    void prepared(double trimDb, const QStringList& files);

    // Waits for the measuring under way and takes its results (tests, benchmarks).
    void finishNow();
    // Whether files are being looked at or measured.
    bool measuring() const;
    // What the library file holds of each file, with this run's measures.
    const QHash<QString, FileLoudness>& known() const { return known_; }

signals:
    // Files were measured (count: how many are known now).
    void measured(int count);

private:
    void start(bool whole, const QVector<qint64>& only);
    void take(const FileLoudness& file);
    void takeResolved(const QHash<qint64, QStringList>& bySong, bool whole);
    void store();
    void publish();

    LibraryWriter& writer_;
    LevelSink& sink_;
    LevelOptions options_;
    QString pathLavoro_;
    std::array<Value, 10> mp3Folders_;
    QHash<QString, FileLoudness> known_;
    QVector<FileLoudness> unsaved_;
    bool storeQueued_ = false;
    QHash<QString, double> fileTrims_;  // the trim of the song that plays each file
    QHash<qint64, double> trimsBySong_;
    std::unique_ptr<LoudnessWork> work_;
};
