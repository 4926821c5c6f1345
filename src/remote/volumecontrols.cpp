#include "remote/volumecontrols.h"

#include <QScrollBar>
#include <algorithm>

#include "app/audio.h"
#include "playback/mediaplayer.h"
#include "playback/wavevolume.h"

VolumeControls::VolumeControls(Audio& window) : w_(window) {
    AudioControls& c = w_.controls();
    QObject::connect(c.Vol1, &QScrollBar::valueChanged,
                     [this](int v) { w_.Volume1().setLevel(2 * v); });
    QObject::connect(c.HSVolumeMp3, &QScrollBar::valueChanged,
                     [this](int v) { w_.MediaPlayer1().setVolume(v); });
}

void VolumeControls::raiseWave() {
    QScrollBar* s = w_.controls().Vol1;
    s->setValue(std::min(s->value() + 1000, 32767));
    w_.Volume1().setLevel(2 * s->value());
}

void VolumeControls::lowerWave() {
    QScrollBar* s = w_.controls().Vol1;
    s->setValue(std::max(s->value() - 1000, 0));
    w_.Volume1().setLevel(2 * s->value());
}

void VolumeControls::raiseMp3() {
    QScrollBar* s = w_.controls().HSVolumeMp3;
    s->setValue(std::min(s->value() + 100, 0));
}

void VolumeControls::lowerMp3() {
    QScrollBar* s = w_.controls().HSVolumeMp3;
    s->setValue(std::max(s->value() - 100, -2000));
}
