#pragma once

#include <QHash>
#include <QStringList>
#include <mutex>

#include "platform/clock.h"
#include "playback/mediaplayer.h"
#include "support/recordedcalls.h"

// A media player for tests that plays no sound: its position follows the clock
// while it plays, and stays exactly at the track's length once the track has ended.
// Every member call is recorded by name, so tests can check the load sequence. Any
// thread may call it while the test reads what it recorded (one member at a time:
// each runs whole under the player's lock).
class ClockedMediaPlayer : public MediaPlayer {
    Q_OBJECT
public:
    explicit ClockedMediaPlayer(Clock& clock, QObject* parent = nullptr);

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
    double duration() const override;

    // Length of the track at path, in seconds (default 180; 0 for a file that
    // cannot be played).
    void setLength(const QString& path, double seconds);

    RecordedCalls calls;

private:
    using Lock = std::lock_guard<std::recursive_mutex>;
    double length() const;

    mutable std::recursive_mutex mutex_;  // the state below
    Clock& clock_;
    QHash<QString, double> lengths_;
    QString file_;
    int volume_ = 0;
    bool playing_ = false;
    double startedAtMs_ = 0;
    double startPosition_ = 0;
};
