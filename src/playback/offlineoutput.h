#pragma once

#include "playback/audiooutput.h"

// No device and no thread: the caller pulls frames with AudioEngine::render(), from
// its own thread (tests, benchmarks, the test harness with its manual clock).
class OfflineOutput : public AudioOutput {
public:
    bool start(AudioSource&) override { return true; }
    void stop() override {}
    bool isOffline() const override { return true; }
    QString description() const override { return QStringLiteral("offline rendering"); }
};
