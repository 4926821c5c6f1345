#include "loudness/leveller.h"

#include <QCoreApplication>
#include <QMetaObject>

#include "library/librarywriter.h"
#include "loudness/loudnesswork.h"
#include "playback/levelsink.h"

Leveller::Leveller(LibraryWriter& writer, LevelSink& sink, QObject* parent)
    : QObject(parent), writer_(writer), sink_(sink) {
    setObjectName(QStringLiteral("Leveller"));
    // The worker's findings come over to this thread; once this object is gone they
    // are dropped.
    LoudnessWork::Hooks hooks;
    hooks.measured = [this](const FileLoudness& f) {
        QMetaObject::invokeMethod(
            this, [this, f] { take(f); }, Qt::QueuedConnection);
    };
    hooks.resolved = [this](const QHash<qint64, QStringList>& bySong, bool whole) {
        QMetaObject::invokeMethod(
            this, [this, bySong, whole] { takeResolved(bySong, whole); }, Qt::QueuedConnection);
    };
    work_ = std::make_unique<LoudnessWork>(hooks);
}

Leveller::~Leveller() {
    work_.reset();
    store();
}

void Leveller::setOptions(const LevelOptions& options) {
    const bool wasOn = options_.on;
    options_ = options;
    if (options_.on && !wasOn) {
        surveyLibrary();
    } else if (!options_.on && wasOn) {
        work_->start({});  // an empty whole survey: the one under way stops
    }
    publish();
}

void Leveller::setFolders(const QString& pathLavoro, const std::array<Value, 10>& mp3Folders) {
    const bool moved = pathLavoro != pathLavoro_ || mp3Folders != mp3Folders_;
    pathLavoro_ = pathLavoro;
    mp3Folders_ = mp3Folders;
    if (moved && options_.on) {
        surveyLibrary();
    }
}

void Leveller::surveyLibrary() {
    start(true, {});
}

void Leveller::surveySong(qint64 song) {
    if (song < 0) {
        surveyLibrary();
    } else {
        start(false, {song});
    }
}

// Reads what the survey needs on this thread (the songs' fields and what is known of
// their files) and hands the rest to the worker.
void Leveller::start(bool whole, const QVector<qint64>& only) {
    if (!options_.on) {
        return;
    }
    QString error;  // a library that cannot be read now is told by the lists
    LoudnessWork::Survey survey;
    survey.pathLavoro = pathLavoro_;
    survey.mp3Folders = mp3Folders_;
    survey.whole = whole;
    if (whole) {
        survey.songs = writer_.songAudio(-1, &error);
        known_ = writer_.fileLoudness(&error);
        for (const FileLoudness& f : unsaved_) {
            known_.insert(f.path, f);
        }
        trimsBySong_ = writer_.trims(&error);
    } else {
        for (const qint64 id : only) {
            survey.songs += writer_.songAudio(id, &error);
            trimsBySong_[id] = writer_.trim(id, &error);
        }
    }
    survey.known = known_;
    work_->start(std::move(survey));
    publish();
}

void Leveller::prepared(double trimDb, const QStringList& files) {
    if (!options_.on) {
        return;
    }
    sink_.setSongTrim(trimDb, files);
    LoudnessWork::Survey survey;
    survey.files = files;
    survey.whole = false;
    survey.known = known_;
    work_->start(std::move(survey));
}

void Leveller::take(const FileLoudness& file) {
    known_.insert(file.path, file);
    unsaved_.append(file);
    // Results that arrive together are written together.
    if (!storeQueued_) {
        storeQueued_ = true;
        QMetaObject::invokeMethod(
            this, [this] { store(); }, Qt::QueuedConnection);
    }
    publish();
    emit measured(int(known_.size()));
}

// Each file takes the trim of the song that plays it (of several, the one met last;
// the song prepared gives its own to its files in any case).
void Leveller::takeResolved(const QHash<qint64, QStringList>& bySong, bool whole) {
    if (whole) {
        fileTrims_.clear();
    }
    for (auto it = bySong.cbegin(); it != bySong.cend(); ++it) {
        const double trim = trimsBySong_.value(it.key());
        for (const QString& f : it.value()) {
            fileTrims_.insert(f, trim);
        }
    }
    publish();
}

// A write the library file refuses now (locked by another program, a full disk) is
// tried again with the next measure; meanwhile the measures serve from memory.
void Leveller::store() {
    storeQueued_ = false;
    if (unsaved_.isEmpty()) {
        return;
    }
    QString error;
    if (writer_.setFileLoudness(unsaved_, &error)) {
        unsaved_.clear();
    }
}

bool Leveller::measuring() const {
    return work_->busy();
}

void Leveller::finishNow() {
    work_->waitIdle();
    QCoreApplication::sendPostedEvents(this, QEvent::MetaCall);
    store();
}

// The engine gets the gains of every file measured, or none while the levelling is
// off.
void Leveller::publish() {
    if (!options_.on) {
        sink_.setLevels(nullptr);
        return;
    }
    auto table = std::make_shared<LevelTable>();
    for (const FileLoudness& f : std::as_const(known_)) {
        if (f.measured) {
            table->files.insert(
                f.path, LevelMath::fileOf(f.lufs, f.peakDb, options_.target, options_.ceiling,
                                          fileTrims_.value(f.path)));
        }
    }
    sink_.setLevels(std::move(table));
}
