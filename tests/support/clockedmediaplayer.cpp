#include "support/clockedmediaplayer.h"

#include <algorithm>

ClockedMediaPlayer::ClockedMediaPlayer(Clock& clock, QObject* parent)
    : MediaPlayer(parent), clock_(clock) {}

double ClockedMediaPlayer::length() const {
    Lock lock(mutex_);
    if (file_.trimmed().isEmpty()) {
        return 0;
    }
    return lengths_.value(file_, 180.0);
}

void ClockedMediaPlayer::play() {
    Lock lock(mutex_);
    calls << QStringLiteral("play");
    if (playing_ || length() <= 0) {
        return;
    }
    playing_ = true;
    startedAtMs_ = clock_.monotonicMs();
}

void ClockedMediaPlayer::stop() {
    Lock lock(mutex_);
    calls << QStringLiteral("stop");
    startPosition_ = position();
    playing_ = false;
}

void ClockedMediaPlayer::setPosition(double seconds) {
    Lock lock(mutex_);
    calls << QStringLiteral("position %1").arg(seconds);
    startPosition_ = std::clamp(seconds, 0.0, length());
    startedAtMs_ = clock_.monotonicMs();
}

double ClockedMediaPlayer::position() const {
    Lock lock(mutex_);
    if (!playing_) {
        return startPosition_;
    }
    const double p = startPosition_ + (clock_.monotonicMs() - startedAtMs_) / 1000.0;
    return std::min(p, length());
}

bool ClockedMediaPlayer::isPlaying() const {
    Lock lock(mutex_);
    return playing_ && position() < length();
}

void ClockedMediaPlayer::setFileName(const QString& path) {
    Lock lock(mutex_);
    calls << QStringLiteral("file ") + path;
    file_ = path;
    playing_ = false;
    startPosition_ = 0;
}

void ClockedMediaPlayer::setVolume(int v) {
    Lock lock(mutex_);
    calls << QStringLiteral("volume %1").arg(v);
    volume_ = v;
}

void ClockedMediaPlayer::setAutoStart(bool on) {
    Lock lock(mutex_);
    calls << QStringLiteral("autostart %1").arg(on);
}

void ClockedMediaPlayer::setPlayCount(int n) {
    Lock lock(mutex_);
    calls << QStringLiteral("playcount %1").arg(n);
}

void ClockedMediaPlayer::setShowDisplay(bool on) {
    Lock lock(mutex_);
    calls << QStringLiteral("display %1").arg(on);
}

void ClockedMediaPlayer::setShowControls(bool on) {
    Lock lock(mutex_);
    calls << QStringLiteral("controls %1").arg(on);
}

QString ClockedMediaPlayer::fileName() const {
    Lock lock(mutex_);
    return file_;
}

int ClockedMediaPlayer::volume() const {
    Lock lock(mutex_);
    return volume_;
}

double ClockedMediaPlayer::duration() const {
    Lock lock(mutex_);
    return length();
}

void ClockedMediaPlayer::setLength(const QString& path, double seconds) {
    Lock lock(mutex_);
    lengths_[path] = seconds;
}
