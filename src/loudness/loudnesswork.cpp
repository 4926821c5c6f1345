#include "loudness/loudnesswork.h"

#include <pthread.h>
#include <sched.h>
#include <unistd.h>

#include <QFileInfo>
#include <QSet>

#include "library/songfiles.h"
#include "loudness/loudnessmeter.h"
#include "platform/fileprobe.h"

LoudnessWork::LoudnessWork(Hooks hooks) : hooks_(std::move(hooks)) {
    thread_ = std::thread([this] { run(); });
}

LoudnessWork::~LoudnessWork() {
    {
        std::lock_guard lock(mutex_);
        quit_ = true;
        stop_ = true;
    }
    wake_.notify_all();
    thread_.join();
}

void LoudnessWork::start(Survey survey) {
    {
        std::lock_guard lock(mutex_);
        if (survey.whole) {
            queue_.clear();
            stop_ = busy_;
        }
        queue_.push_back(std::move(survey));
    }
    wake_.notify_all();
}

void LoudnessWork::waitIdle() {
    std::unique_lock lock(mutex_);
    idle_.wait(lock, [this] { return quit_ || (!busy_ && queue_.empty()); });
}

bool LoudnessWork::busy() {
    std::lock_guard lock(mutex_);
    return busy_ || !queue_.empty();
}

void LoudnessWork::run() {
    // Only the time no other thread wants; where the system refuses, the lowest
    // ordinary priority.
    sched_param none{};
    if (pthread_setschedparam(pthread_self(), SCHED_IDLE, &none) != 0) {
        (void)nice(19);
    }
    std::unique_lock lock(mutex_);
    for (;;) {
        wake_.wait(lock, [this] { return quit_ || !queue_.empty(); });
        if (quit_) {
            break;
        }
        const Survey survey = std::move(queue_.front());
        queue_.pop_front();
        busy_ = true;
        stop_ = false;
        lock.unlock();
        runSurvey(survey);
        lock.lock();
        busy_ = false;
        if (queue_.empty()) {
            idle_.notify_all();
        }
    }
    busy_ = false;
    idle_.notify_all();
}

void LoudnessWork::runSurvey(const Survey& survey) {
    // A whole survey brings what the library holds now (a measure spoiled there is
    // taken again); any other adds what this thread has not met yet.
    if (survey.whole) {
        seen_ = survey.known;
    } else {
        for (auto it = survey.known.cbegin(); it != survey.known.cend(); ++it) {
            if (!seen_.contains(it.key())) {
                seen_.insert(it.key(), it.value());
            }
        }
    }
    const FileProbe probe;
    QHash<qint64, QStringList> bySong;
    QStringList paths = survey.files;
    QSet<QString> listed(paths.cbegin(), paths.cend());
    for (const Song& song : survey.songs) {
        if (stop_) {
            return;
        }
        const QStringList files = SongFiles::played(survey.pathLavoro, survey.mp3Folders,
                                                    song.groove1, song.groove2, song.loop, probe);
        bySong.insert(song.id, files);
        for (const QString& f : files) {
            if (!listed.contains(f)) {
                listed.insert(f);
                paths << f;
            }
        }
    }
    if (hooks_.resolved) {
        hooks_.resolved(bySong, survey.whole);
    }
    for (const QString& path : paths) {
        if (stop_) {
            return;
        }
        measure(path);
    }
}

// Measures the file at path unless it is known as it is now; a file that is not
// there is left to the library check.
void LoudnessWork::measure(const QString& path) {
    const QFileInfo info(path);
    if (!info.isFile()) {
        return;
    }
    FileLoudness now;
    now.path = path;
    now.size = info.size();
    now.modifiedMs = info.lastModified().toMSecsSinceEpoch();
    const auto known = seen_.constFind(path);
    if (known != seen_.cend() && known->sameFileAs(now)) {
        return;
    }
    const Loudness l = LoudnessMeter::measure(path, &stop_);
    if (stop_) {
        return;
    }
    now.measured = l.ok;
    now.lufs = l.lufs;
    now.peakDb = l.peakDb;
    now.why = l.why;
    seen_.insert(path, now);
    if (hooks_.measured) {
        hooks_.measured(now);
    }
}
