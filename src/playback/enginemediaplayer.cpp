#include "playback/enginemediaplayer.h"

#include "playback/audioengine.h"

EngineMediaPlayer::EngineMediaPlayer(AudioEngine& engine, QObject* parent)
    : MediaPlayer(parent), engine_(engine), volume_(engine.trackVolume()) {}

void EngineMediaPlayer::play() {
    engine_.playTrack();
}

void EngineMediaPlayer::stop() {
    engine_.stopTrack();
}

void EngineMediaPlayer::setPosition(double seconds) {
    engine_.seekTrack(seconds);
}

double EngineMediaPlayer::position() const {
    return engine_.trackPosition();
}

void EngineMediaPlayer::setFileName(const QString& path) {
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
