#pragma once

#include "playback/groovesound.h"
#include "support/recordedcalls.h"

// A groove sound service for tests: records what reaches the sound (a preload's play
// or stop is recorded as "play" or "stop" too) and what would be sounding. Any thread
// may call it while the test reads what it recorded.
class RecordingGrooveSound : public GrooveSound {
public:
    void prefetch(const QString& path) override { calls << QStringLiteral("prefetch ") + path; }

    RecordedCalls calls;
    RecordedText playing;  // empty when silent

protected:
    void startSound(const QString& path) override {
        calls << QStringLiteral("play ") + path;
        playing = path;
    }
    void stopSound() override {
        calls << QStringLiteral("stop");
        playing.clear();
    }
};
