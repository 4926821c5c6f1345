#pragma once

#include "playback/mediaplayer.h"

class AudioEngine;

// MediaPlayer1 on the engine's track voice. Setting the file name loads the track
// and starts decoding ahead, so that play() sounds at once; a blank name unloads it.
// stop() keeps the place, setPosition() moves it, position() reads it in seconds.
// The display, controls, auto-start and play-count members only keep their values
// (auto-start also starts a newly set file). Must not outlive the engine. GUI thread
// only.
class EngineMediaPlayer : public MediaPlayer {
    Q_OBJECT
public:
    explicit EngineMediaPlayer(AudioEngine& engine, QObject* parent = nullptr);

    void play() override;
    void stop() override;
    void setPosition(double seconds) override;
    double position() const override;
    void setFileName(const QString& path) override;
    QString fileName() const override { return fileName_; }
    void setVolume(int hundredthsDb) override;
    int volume() const override { return volume_; }
    void setAutoStart(bool on) override { autoStart_ = on; }
    void setPlayCount(int count) override { playCount_ = count; }
    void setShowDisplay(bool on) override { showDisplay_ = on; }
    void setShowControls(bool on) override { showControls_ = on; }
    bool isPlaying() const override;

    bool autoStart() const { return autoStart_; }
    int playCount() const { return playCount_; }
    bool showDisplay() const { return showDisplay_; }
    bool showControls() const { return showControls_; }
    // Length of the loaded file in seconds, 0 until known.
    double duration() const;

private:
    AudioEngine& engine_;
    QString fileName_;
    int volume_ = 0;
    bool autoStart_ = false;
    int playCount_ = 1;
    bool showDisplay_ = false;
    bool showControls_ = false;
};
