#include "playback/wavevolumebinder.h"

#include "playback/audioengine.h"
#include "playback/wavevolume.h"

WaveVolumeBinder::WaveVolumeBinder(WaveVolume& volume, AudioEngine& engine, QObject* parent)
    : QObject(parent), engine_(engine) {
    engine_.setGrooveLevel(volume.level());
    connect(&volume, &WaveVolume::levelChanged, this,
            [this](int level) { engine_.setGrooveLevel(level); });
}
