#pragma once

#include <QHash>
#include <QString>
#include <QStringList>
#include <QVector>
#include <array>
#include <atomic>
#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>
#include <thread>

#include "config/value.h"
#include "library/loudnessstore.h"
#include "library/songfiles.h"

// The measuring of loudness in the background: a thread of the lowest priority
// the system has (SCHED_IDLE), so that it takes only time nobody else wants and
// never stands in a pedal's way. It is given surveys: songs whose files it finds as
// playback finds them, looks at (size and time) and measures when what is known of
// them is missing or stale. What it finds goes to the hooks, on its own thread.
class LoudnessWork {
public:
    using Song = SongAudio;
    struct Survey {
        QString pathLavoro;
        std::array<Value, 10> mp3Folders;
        QVector<Song> songs;
        QStringList files;                   // files to look at besides the songs'
        QHash<QString, FileLoudness> known;  // what the library holds
        bool whole = true;                   // every song of the library
    };
    struct Hooks {
        // The files each song of the survey plays, before any measure; whole: the
        // survey's songs are the whole library.
        std::function<void(const QHash<qint64, QStringList>&, bool whole)> resolved;
        std::function<void(const FileLoudness&)> measured;
    };

    explicit LoudnessWork(Hooks hooks);
    ~LoudnessWork();
    LoudnessWork(const LoudnessWork&) = delete;
    LoudnessWork& operator=(const LoudnessWork&) = delete;

    // Any thread. A whole survey replaces the ones waiting and cuts short the one
    // under way; any other waits its turn.
    void start(Survey survey);
    // Any thread: waits until no survey is left (tests and benchmarks).
    void waitIdle();
    // Any thread: whether a survey is under way or waiting.
    bool busy();

private:
    void run();
    void runSurvey(const Survey& survey);
    void measure(const QString& path);

    Hooks hooks_;
    std::mutex mutex_;
    std::condition_variable wake_;
    std::condition_variable idle_;
    std::deque<Survey> queue_;
    bool busy_ = false;
    bool quit_ = false;
    std::atomic<bool> stop_{false};      // the survey under way gives way
    QHash<QString, FileLoudness> seen_;  // worker thread: what it knows of each file
    std::thread thread_;
};
