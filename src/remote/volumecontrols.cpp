#include "remote/volumecontrols.h"

#include <QScrollBar>
#include <algorithm>

#include "app/audio.h"
#include "playback/mediaplayer.h"
#include "playback/preloadchain.h"
#include "playback/wavevolume.h"

VolumeControls::VolumeControls(Audio& window) : w_(window) {
    AudioControls& c = w_.controls();
    QObject::connect(c.Vol1, &QScrollBar::valueChanged, [this](int) { applyWave(); });
    QObject::connect(c.HSVolumeMp3, &QScrollBar::valueChanged,
                     [this](int v) { w_.MediaPlayer1().setVolume(v); });
}

// While the silent preload runs the wave output stays at zero: the slider keeps the
// new value, and the preload's end gives the output twice that.
void VolumeControls::applyWave() {
    if (!PreloadChain::running(w_.controls())) {
        w_.Volume1().setLevel(2 * w_.controls().Vol1->value());
    }
}

void VolumeControls::raiseWave() {
    QScrollBar* s = w_.controls().Vol1;
    s->setValue(std::min(s->value() + 1000, 32767));
    applyWave();
}

void VolumeControls::lowerWave() {
    QScrollBar* s = w_.controls().Vol1;
    s->setValue(std::max(s->value() - 1000, 0));
    applyWave();
}

void VolumeControls::raiseMp3() {
    QScrollBar* s = w_.controls().HSVolumeMp3;
    s->setValue(std::min(s->value() + 100, 0));
}

void VolumeControls::lowerMp3() {
    QScrollBar* s = w_.controls().HSVolumeMp3;
    s->setValue(std::max(s->value() - 100, -2000));
}
