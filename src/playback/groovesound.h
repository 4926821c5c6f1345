#pragma once

#include <QString>
#include <cstdint>
#include <mutex>

#include "playback/commandlock.h"

// The sound service behind SuonaGroove1, SuonaGroove2 and FermaGroove: one WAV file
// at a time, looping until stopped. A new play replaces the sound at once (with a
// crossfade of a few milliseconds), stop fades out in a few milliseconds. A missing
// or unreadable file plays nothing and reports nothing.
//
// It also knows whose sound is playing, for the silent preload after a song is
// prepared: the preload's own play never replaces a sound the performer started,
// and the preload's end stops only the preload's own sound, so a pedal pressed
// while the preload runs is never silenced by it.
//
// Any thread may call it (the show thread's pedals and the GUI thread's previews
// at once): each public function runs whole under the service's own lock, and so do
// the hooks below, which a derived class's own slots take with lockState().
class GrooveSound {
public:
    virtual ~GrooveSound() = default;

    // Starts path looping, replacing whatever sounds.
    void play(const QString& path) {
        std::lock_guard lock(mutex_);
        preloadSounding_ = false;
        playSounding_ = !path.trimmed().isEmpty();
        playedPath_ = playSounding_ ? path : QString();
        startSound(path);
    }
    // The sound back after a crash: path looping from frame of its loop, rising from
    // silence, as play() in every other way.
    void playFrom(const QString& path, std::int64_t frame) {
        std::lock_guard lock(mutex_);
        preloadSounding_ = false;
        playSounding_ = !path.trimmed().isEmpty();
        playedPath_ = playSounding_ ? path : QString();
        startSoundFrom(path, frame);
    }
    // Silences the groove voice.
    void stop() {
        std::lock_guard lock(mutex_);
        preloadSounding_ = false;
        playSounding_ = false;
        playedPath_.clear();
        stopSound();
    }
    // The preload's play: starts path like play(), unless a sound that play()
    // started is still on (then the performer's sound stays as it is).
    void preload(const QString& path) {
        std::lock_guard lock(mutex_);
        if (playSounding_) {
            return;
        }
        preloadSounding_ = true;
        startSound(path);
    }
    // The preload's end: stops the groove only while the preload's own sound is the
    // one playing.
    void endPreload() {
        std::lock_guard lock(mutex_);
        if (preloadSounding_) {
            preloadSounding_ = false;
            stopSound();
        }
    }

    // The file the performer's sound comes from: the last play() while no stop()
    // came since and the voice really gives it (a file that could not be decoded
    // gives nothing); empty otherwise. A preload's sound is not the performer's.
    QString performerPath() const {
        std::lock_guard lock(mutex_);
        return playSounding_ && voiceOn() ? playedPath_ : QString();
    }

    // Reads and decodes path in the background so that a later play() starts at
    // once without touching the disk. Does nothing for an empty or missing path.
    // Not under the lock: a service that prefetches keeps that safe on its own.
    virtual void prefetch(const QString& path) { (void)path; }
    // The frame of its loop the performer's groove is at; -1 when none sounds or the
    // service cannot tell. Not under the lock: the engine keeps it on its own.
    virtual std::int64_t loopFrame() const { return -1; }

protected:
    // The sound service itself: start path looping (replacing what sounds), or stop.
    // Called with the lock held; must not call back into the public functions.
    virtual void startSound(const QString& path) = 0;
    virtual void stopSound() = 0;
    // The same from a frame of the loop; a service that cannot starts at the top.
    virtual void startSoundFrom(const QString& path, std::int64_t frame) {
        (void)frame;
        startSound(path);
    }
    // Whether the voice gives the sound last started (or is about to); a service
    // that cannot tell says yes. Called with the lock held.
    virtual bool voiceOn() const { return true; }

    // The lock, for a derived class's own work on the state its hooks keep (a slot
    // that finishes a start the hooks began).
    std::unique_lock<CommandLock> lockState() const { return std::unique_lock(mutex_); }

private:
    mutable CommandLock mutex_;     // lends a waiting show thread's priority to the holder
    bool playSounding_ = false;     // the last request was play()
    bool preloadSounding_ = false;  // the last request was preload()
    QString playedPath_;            // the file of the last play()
};
