#include "support/clockedmediaplayer.h"

#include <algorithm>

ClockedMediaPlayer::ClockedMediaPlayer(Clock& clock, QObject* parent)
    : MediaPlayer(parent), clock_(clock) {}

double ClockedMediaPlayer::length() const {
    if (file_.trimmed().isEmpty()) {
        return 0;
    }
    return lengths_.value(file_, 180.0);
}

void ClockedMediaPlayer::play() {
    calls << QStringLiteral("play");
    if (playing_ || length() <= 0) {
        return;
    }
    playing_ = true;
    startedAtMs_ = clock_.monotonicMs();
}

void ClockedMediaPlayer::stop() {
    calls << QStringLiteral("stop");
    startPosition_ = position();
    playing_ = false;
}

void ClockedMediaPlayer::setPosition(double seconds) {
    calls << QStringLiteral("position %1").arg(seconds);
    startPosition_ = std::clamp(seconds, 0.0, length());
    startedAtMs_ = clock_.monotonicMs();
}

double ClockedMediaPlayer::position() const {
    if (!playing_) {
        return startPosition_;
    }
    const double p = startPosition_ + (clock_.monotonicMs() - startedAtMs_) / 1000.0;
    return std::min(p, length());
}

bool ClockedMediaPlayer::isPlaying() const {
    return playing_ && position() < length();
}

void ClockedMediaPlayer::setFileName(const QString& path) {
    calls << QStringLiteral("file ") + path;
    file_ = path;
    playing_ = false;
    startPosition_ = 0;
}

void ClockedMediaPlayer::setVolume(int v) {
    calls << QStringLiteral("volume %1").arg(v);
    volume_ = v;
}

void ClockedMediaPlayer::setAutoStart(bool on) {
    calls << QStringLiteral("autostart %1").arg(on);
}

void ClockedMediaPlayer::setPlayCount(int n) {
    calls << QStringLiteral("playcount %1").arg(n);
}

void ClockedMediaPlayer::setShowDisplay(bool on) {
    calls << QStringLiteral("display %1").arg(on);
}

void ClockedMediaPlayer::setShowControls(bool on) {
    calls << QStringLiteral("controls %1").arg(on);
}
