#pragma once

#include <mutex>

#include "playback/commandlock.h"
#include "playback/mediaplayer.h"
#include "playback/trackposition.h"

class AudioEngine;
class Clock;

// MediaPlayer1 on the engine's track voice. Setting the file name loads the track
// and starts decoding ahead, so that play() sounds at once; a blank name unloads it.
// stop() keeps the place, setPosition() moves it, position() reads it in seconds:
// with a clock, as the time that passes between audio periods carries it on (so it
// moves between any two looks while the track plays, whatever the device's period),
// without one, as of the last audio period.
// The display, controls, auto-start and play-count members only keep their values
// (auto-start also starts a newly set file). Must not outlive the engine. Any thread
// may call it (the show thread's commands, the GUI thread's looks and previews): each
// member runs whole under the player's own lock.
class EngineMediaPlayer : public MediaPlayer {
    Q_OBJECT
public:
    // clock: a clock whose monotonicMs() any thread may read (the real clock's), which
    // must outlive the player; null for the position as of the last audio period.
    explicit EngineMediaPlayer(AudioEngine& engine, const Clock* clock = nullptr,
                               QObject* parent = nullptr);

    void play() override;
    void stop() override;
    void setPosition(double seconds) override;
    double position() const override;
    void setFileName(const QString& path) override;
    QString fileName() const override;
    void setVolume(int hundredthsDb) override;
    int volume() const override;
    void setAutoStart(bool on) override;
    void setPlayCount(int count) override;
    void setShowDisplay(bool on) override;
    void setShowControls(bool on) override;
    bool isPlaying() const override;

    bool autoStart() const;
    int playCount() const;
    bool showDisplay() const;
    bool showControls() const;
    // Length of the loaded file in seconds, 0 until known.
    double duration() const override;

private:
    using Lock = std::lock_guard<CommandLock>;

    AudioEngine& engine_;
    const Clock* clock_;
    mutable CommandLock mutex_;  // everything below
    mutable TrackPosition estimate_;
    QString fileName_;
    int volume_ = 0;
    bool autoStart_ = false;
    int playCount_ = 1;
    bool showDisplay_ = false;
    bool showControls_ = false;
};
