#pragma once

#include <QString>

// The sound service behind SuonaGroove1, SuonaGroove2 and FermaGroove: one WAV file
// at a time, looping until stopped. A new play replaces the sound at once (with a
// crossfade of a few milliseconds), stop fades out in a few milliseconds. A missing
// or unreadable file plays nothing and reports nothing. GUI thread only.
class GrooveSound {
public:
    virtual ~GrooveSound() = default;
    // Starts path looping, replacing whatever sounds.
    virtual void play(const QString& path) = 0;
    // Silences the groove voice.
    virtual void stop() = 0;
    // Reads and decodes path in the background so that a later play() starts at
    // once without touching the disk. Does nothing for an empty or missing path.
    virtual void prefetch(const QString& path) { (void)path; }
};
