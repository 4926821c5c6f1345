#pragma once

#include <QStringList>

#include "playback/groovesound.h"

// A groove sound service for tests: records the calls and what would be sounding.
class RecordingGrooveSound : public GrooveSound {
public:
    void play(const QString& path) override {
        calls << QStringLiteral("play ") + path;
        playing = path;
    }
    void stop() override {
        calls << QStringLiteral("stop");
        playing.clear();
    }
    void prefetch(const QString& path) override { calls << QStringLiteral("prefetch ") + path; }

    QStringList calls;
    QString playing;  // empty when silent
};
