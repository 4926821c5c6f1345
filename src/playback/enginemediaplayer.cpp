#include "playback/enginemediaplayer.h"

#include "platform/clock.h"
#include "playback/audioengine.h"
#include "playback/decodedaudio.h"

EngineMediaPlayer::EngineMediaPlayer(AudioEngine& engine, const Clock* clock, QObject* parent)
    : MediaPlayer(parent), engine_(engine), clock_(clock), volume_(engine.trackVolume()) {}

void EngineMediaPlayer::play() {
    Lock lock(mutex_);
    if (!engine_.trackPlaying()) {
        estimate_.reset();  // a start, a resume or a restart after the end
    }
    engine_.playTrack();
}

void EngineMediaPlayer::stop() {
    Lock lock(mutex_);
    estimate_.reset();
    engine_.stopTrack();
}

void EngineMediaPlayer::setPosition(double seconds) {
    Lock lock(mutex_);
    estimate_.reset();
    engine_.seekTrack(seconds);
}

double EngineMediaPlayer::position() const {
    Lock lock(mutex_);
    if (clock_ == nullptr) {
        return engine_.trackPosition();
    }
    TrackPosition::Progress progress;
    progress.rendered = engine_.trackPositionFrames();
    progress.playing = engine_.trackPlaying();
    progress.periodFrames = engine_.periodFrames();
    progress.length = std::int64_t(engine_.trackLength() * kEngineRate + 0.5);
    return estimate_.read(clock_->monotonicMs(), progress) / kEngineRate;
}

void EngineMediaPlayer::setFileName(const QString& path) {
    Lock lock(mutex_);
    estimate_.reset();
    fileName_ = path;
    if (path.trimmed().isEmpty()) {
        engine_.unloadTrack();
        return;
    }
    engine_.loadTrack(path);
    if (autoStart_) {
        engine_.playTrack();
    }
}

QString EngineMediaPlayer::fileName() const {
    Lock lock(mutex_);
    return fileName_;
}

void EngineMediaPlayer::setVolume(int hundredthsDb) {
    Lock lock(mutex_);
    volume_ = hundredthsDb;
    engine_.setTrackVolume(hundredthsDb);
}

int EngineMediaPlayer::volume() const {
    Lock lock(mutex_);
    return volume_;
}

void EngineMediaPlayer::setAutoStart(bool on) {
    Lock lock(mutex_);
    autoStart_ = on;
}

void EngineMediaPlayer::setPlayCount(int count) {
    Lock lock(mutex_);
    playCount_ = count;
}

void EngineMediaPlayer::setShowDisplay(bool on) {
    Lock lock(mutex_);
    showDisplay_ = on;
}

void EngineMediaPlayer::setShowControls(bool on) {
    Lock lock(mutex_);
    showControls_ = on;
}

bool EngineMediaPlayer::isPlaying() const {
    return engine_.trackPlaying();
}

bool EngineMediaPlayer::autoStart() const {
    Lock lock(mutex_);
    return autoStart_;
}

int EngineMediaPlayer::playCount() const {
    Lock lock(mutex_);
    return playCount_;
}

bool EngineMediaPlayer::showDisplay() const {
    Lock lock(mutex_);
    return showDisplay_;
}

bool EngineMediaPlayer::showControls() const {
    Lock lock(mutex_);
    return showControls_;
}

double EngineMediaPlayer::duration() const {
    return engine_.trackLength();
}
