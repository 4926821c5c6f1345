#pragma once

#include <QObject>

#include "playback/commandlock.h"

class AudioEngine;
class WaveVolume;

// Keeps the engine's groove level equal to Volume1's Level: applies it at once and
// follows every change, on the thread that made the change (the show thread's or the
// GUI thread's). When two threads change the level at once, the engine ends with the
// level Volume1 ends with. Lives as long as the shorter-lived of the two.
class WaveVolumeBinder : public QObject {
    Q_OBJECT
public:
    WaveVolumeBinder(WaveVolume& volume, AudioEngine& engine, QObject* parent = nullptr);

private:
    void apply();

    WaveVolume& volume_;
    AudioEngine& engine_;
    CommandLock mutex_;  // one level handed on at a time
};
