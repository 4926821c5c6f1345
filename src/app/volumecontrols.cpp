#include "app/volumecontrols.h"

#include <QScrollBar>
#include <QSignalBlocker>
#include <algorithm>

#include "app/audio.h"
#include "playback/mediaplayer.h"
#include "playback/wavevolume.h"
#include "show/showcore.h"

VolumeControls::VolumeControls(Audio& window) : w_(window) {
    AudioControls& c = w_.controls();
    // The slider shows the level in force when another part of the program sets it
    // (full volume at start-up and after a change of working folder), so that the
    // next key or drag goes on from there. A level of 0 is the mute of a preload or
    // a stop, which comes back to the slider's level: the slider stays put.
    QObject::connect(&w_.Volume1(), &WaveVolume::levelChanged, c.Vol1, [this](int level) {
        QScrollBar* s = w_.controls().Vol1;
        if (level > 0 && level / 2 != s->value()) {
            const QSignalBlocker keepLevel(s);
            s->setValue(level / 2);
        }
    });
}

// The slider's value goes to the show core also when it did not change: the output
// takes it again (the core holds it while the silent preload runs).
void VolumeControls::applyWave() {
    w_.core().setWaveSlider(w_.controls().Vol1->value());
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
