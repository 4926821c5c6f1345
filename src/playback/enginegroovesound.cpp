#include "playback/enginegroovesound.h"

#include "playback/audioengine.h"
#include "playback/groovecache.h"

EngineGrooveSound::EngineGrooveSound(AudioEngine& engine, QObject* parent)
    : QObject(parent), engine_(engine) {
    connect(&engine_.grooveCache(), &GrooveCache::finished, this, &EngineGrooveSound::onDecoded,
            Qt::QueuedConnection);
}

void EngineGrooveSound::startSound(const QString& path) {
    startSoundFrom(path, 0);
}

void EngineGrooveSound::startSoundFrom(const QString& path, std::int64_t frame) {
    pendingPath_.clear();
    pendingFrom_ = frame;
    periodsAtStart_ = engine_.callbackCount();
    if (path.trimmed().isEmpty()) {
        engine_.stopGroove();
        return;
    }
    GrooveCache& cache = engine_.grooveCache();
    // A groove in memory starts at once, unless its file was replaced since it was
    // read: then it is read again (a look at the file's size and times, here on the
    // calling thread; the audio callback never touches a file).
    if (auto sound = cache.findCurrent(path)) {
        engine_.playGroove(std::move(sound), engine_.levelOf(path), frame);
        return;
    }
    if (engine_.isOffline()) {
        // A null sound stops the groove.
        engine_.playGroove(cache.waitFor(path), engine_.levelOf(path), frame);
        return;
    }
    pendingPath_ = path;
    cache.request(path);
}

void EngineGrooveSound::stopSound() {
    pendingPath_.clear();
    engine_.stopGroove();
}

bool EngineGrooveSound::voiceOn() const {
    // A command reaches the sound at the next audio period, so until a period has
    // run wholly after it the request is what counts; after that the engine knows.
    if (!pendingPath_.isEmpty() || engine_.callbackCount() <= periodsAtStart_ + 1) {
        return true;
    }
    return engine_.grooveSounding();
}

void EngineGrooveSound::prefetch(const QString& path) {
    engine_.grooveCache().request(path);
}

QString EngineGrooveSound::pendingPath() const {
    const auto lock = lockState();
    return pendingPath_;
}

void EngineGrooveSound::onDecoded(const QString& path, bool ok) {
    const auto lock = lockState();
    if (pendingPath_.isEmpty() || path != pendingPath_) {
        return;  // nobody waits for it, or a later request has taken over
    }
    pendingPath_.clear();
    periodsAtStart_ = engine_.callbackCount();
    if (!ok) {
        engine_.stopGroove();
        return;
    }
    // find() can miss if the groove was pushed out of the cache at once (larger than
    // the whole cache); then it cannot play.
    engine_.playGroove(engine_.grooveCache().find(path), engine_.levelOf(path), pendingFrom_);
}

std::int64_t EngineGrooveSound::loopFrame() const {
    return performerPath().isEmpty() ? -1 : engine_.grooveFrame();
}
