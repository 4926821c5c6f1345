#include "playback/wavevolumebinder.h"

#include <mutex>

#include "playback/audioengine.h"
#include "playback/wavevolume.h"

WaveVolumeBinder::WaveVolumeBinder(WaveVolume& volume, AudioEngine& engine, QObject* parent)
    : QObject(parent), volume_(volume), engine_(engine) {
    apply();
    // Direct: the engine takes commands from any thread, so the change goes on at
    // once on the thread that made it rather than waiting for this object's thread.
    connect(&volume, &WaveVolume::levelChanged, this, &WaveVolumeBinder::apply,
            Qt::DirectConnection);
}

// Hands on the level as it is now rather than the one the signal carried: of two
// changes made at once, the one handed on last is then always the later level.
void WaveVolumeBinder::apply() {
    std::lock_guard lock(mutex_);
    engine_.setGrooveLevel(volume_.level());
}
