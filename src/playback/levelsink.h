#pragma once

#include <QStringList>
#include <memory>

#include "playback/leveltable.h"

// Where the gains of even loudness go: the audio engine in the program. Any thread.
class LevelSink {
public:
    virtual ~LevelSink() = default;
    // The gains by file; null: every file at unity gain.
    virtual void setLevels(std::shared_ptr<const LevelTable> table) = 0;
    // The prepared song's own trim in decibels, for its files.
    virtual void setSongTrim(double db, const QStringList& files) = 0;
};
