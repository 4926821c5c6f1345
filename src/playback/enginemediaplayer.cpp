#include "playback/enginemediaplayer.h"

#include "platform/clock.h"
#include "playback/audioengine.h"
#include "playback/decodedaudio.h"

EngineMediaPlayer::EngineMediaPlayer(AudioEngine& engine, const Clock* clock, QObject* parent)
    : MediaPlayer(parent), engine_(engine), clock_(clock), volume_(engine.trackVolume()) {}

void EngineMediaPlayer::play() {
    if (!engine_.trackPlaying()) {
        estimate_.reset();  // a start, a resume or a restart after the end
    }
    engine_.playTrack();
}

void EngineMediaPlayer::stop() {
    estimate_.reset();
    engine_.stopTrack();
}

void EngineMediaPlayer::setPosition(double seconds) {
    estimate_.reset();
    engine_.seekTrack(seconds);
}

double EngineMediaPlayer::position() const {
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

void EngineMediaPlayer::setVolume(int hundredthsDb) {
    volume_ = hundredthsDb;
    engine_.setTrackVolume(hundredthsDb);
}

bool EngineMediaPlayer::isPlaying() const {
    return engine_.trackPlaying();
}

double EngineMediaPlayer::duration() const {
    return engine_.trackLength();
}
