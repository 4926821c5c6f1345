#pragma once

#include <QHash>
#include <QStringList>

#include "platform/clock.h"
#include "playback/mediaplayer.h"

// A media player for tests that plays no sound: its position follows the clock
// while it plays, and stays exactly at the track's length once the track has ended.
// Every member call is recorded by name, so tests can check the load sequence.
class ClockedMediaPlayer : public MediaPlayer {
    Q_OBJECT
public:
    explicit ClockedMediaPlayer(Clock& clock, QObject* parent = nullptr);

    void play() override;
    void stop() override;
    void setPosition(double seconds) override;
    double position() const override;
    void setFileName(const QString& path) override;
    QString fileName() const override { return file_; }
    void setVolume(int hundredthsDb) override;
    int volume() const override { return volume_; }
    void setAutoStart(bool on) override;
    void setPlayCount(int count) override;
    void setShowDisplay(bool on) override;
    void setShowControls(bool on) override;
    bool isPlaying() const override;
    double duration() const override { return length(); }

    // Length of the track at path, in seconds (default 180; 0 for a file that
    // cannot be played).
    void setLength(const QString& path, double seconds) { lengths_[path] = seconds; }

    QStringList calls;

private:
    double length() const;

    Clock& clock_;
    QHash<QString, double> lengths_;
    QString file_;
    int volume_ = 0;
    bool playing_ = false;
    double startedAtMs_ = 0;
    double startPosition_ = 0;
};
