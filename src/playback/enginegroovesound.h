#pragma once

#include <QObject>
#include <QString>
#include <cstdint>

#include "playback/groovesound.h"

class AudioEngine;

// The sound service behind SuonaGroove1, SuonaGroove2 and FermaGroove, played by the
// engine's groove voice. A groove in the cache starts at once, without reading the
// file (only its size and times are looked at: a file replaced since it was decoded
// is decoded again); any other is decoded on the cache's loader thread and starts when ready,
// unless a later play or stop has come in meanwhile. Until then the sound that was
// playing goes on; a file that cannot be played silences the groove, like any other
// replacement, and reports nothing. An offline engine waits for the decoding instead,
// so that the rendered sound never depends on thread timing. Must not outlive the
// engine. Any thread may call it (see GrooveSound); a decoding that finishes is taken
// up on the thread this object lives on, so that thread must run its events.
class EngineGrooveSound : public QObject, public GrooveSound {
    Q_OBJECT
public:
    explicit EngineGrooveSound(AudioEngine& engine, QObject* parent = nullptr);

    void prefetch(const QString& path) override;
    std::int64_t loopFrame() const override;

    // The path waiting for its decoding to start playing; empty when none.
    QString pendingPath() const;

protected:
    void startSound(const QString& path) override;
    void startSoundFrom(const QString& path, std::int64_t frame) override;
    void stopSound() override;
    bool voiceOn() const override;

private:
    void onDecoded(const QString& path, bool ok);

    AudioEngine& engine_;
    // Under the service's lock (lockState()), like the hooks that set them.
    QString pendingPath_;
    std::int64_t pendingFrom_ = 0;     // the frame the pending path begins at
    std::int64_t periodsAtStart_ = 0;  // the engine's audio periods when the sound was asked for
};
