#pragma once

#include <QString>

// The sound service behind SuonaGroove1, SuonaGroove2 and FermaGroove: one WAV file
// at a time, looping until stopped. A new play replaces the sound at once (with a
// crossfade of a few milliseconds), stop fades out in a few milliseconds. A missing
// or unreadable file plays nothing and reports nothing.
//
// It also knows whose sound is playing, for the silent preload after a song is
// prepared: the preload's own play never replaces a sound the performer started,
// and the preload's end stops only the preload's own sound, so a pedal pressed
// while the preload runs is never silenced by it. GUI thread only.
class GrooveSound {
public:
    virtual ~GrooveSound() = default;

    // Starts path looping, replacing whatever sounds.
    void play(const QString& path) {
        preloadSounding_ = false;
        playSounding_ = !path.trimmed().isEmpty();
        playedPath_ = playSounding_ ? path : QString();
        startSound(path);
    }
    // Silences the groove voice.
    void stop() {
        preloadSounding_ = false;
        playSounding_ = false;
        playedPath_.clear();
        stopSound();
    }
    // The preload's play: starts path like play(), unless a sound that play()
    // started is still on (then the performer's sound stays as it is).
    void preload(const QString& path) {
        if (playSounding_) {
            return;
        }
        preloadSounding_ = true;
        startSound(path);
    }
    // The preload's end: stops the groove only while the preload's own sound is the
    // one playing.
    void endPreload() {
        if (preloadSounding_) {
            preloadSounding_ = false;
            stopSound();
        }
    }

    // The file the performer's sound comes from: the last play() while no stop()
    // came since and the voice really gives it (a file that could not be decoded
    // gives nothing); empty otherwise. A preload's sound is not the performer's.
    QString performerPath() const { return playSounding_ && voiceOn() ? playedPath_ : QString(); }

    // Reads and decodes path in the background so that a later play() starts at
    // once without touching the disk. Does nothing for an empty or missing path.
    virtual void prefetch(const QString& path) { (void)path; }

protected:
    // The sound service itself: start path looping (replacing what sounds), or stop.
    virtual void startSound(const QString& path) = 0;
    virtual void stopSound() = 0;
    // Whether the voice gives the sound last started (or is about to); a service
    // that cannot tell says yes.
    virtual bool voiceOn() const { return true; }

private:
    bool playSounding_ = false;     // the last request was play()
    bool preloadSounding_ = false;  // the last request was preload()
    QString playedPath_;            // the file of the last play()
};
