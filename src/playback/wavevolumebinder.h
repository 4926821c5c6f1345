#pragma once

#include <QObject>

class AudioEngine;
class WaveVolume;

// Keeps the engine's groove level equal to Volume1's Level: applies it at once and
// follows every change. Lives as long as the shorter-lived of the two. GUI thread only.
class WaveVolumeBinder : public QObject {
    Q_OBJECT
public:
    WaveVolumeBinder(WaveVolume& volume, AudioEngine& engine, QObject* parent = nullptr);

private:
    AudioEngine& engine_;
};
