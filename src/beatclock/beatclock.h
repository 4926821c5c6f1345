#pragma once

#include <QObject>
#include <QStringList>
#include <atomic>
#include <functional>
#include <memory>

#include "beatclock/beatclockoptions.h"

class Clock;
class EngineTimeline;
class HiResTimer;
class JackBeatClock;
class ThreadBeatClock;

// The song's tempo sent to the other gear as MIDI beat clock, to the outputs the
// user chose: Start on the first frame of groove 1 or of the MP3, 24 ticks per
// quarter note at the prepared song's BPM, Stop when the sound stops; the tempo
// changes with the next song prepared. The ticks are placed from the audio engine's
// own frames on the JACK server's clock, never by a timer of the windows; without a
// JACK server a thread of its own sends them through ALSA on time. A watch
// (TmrClockMidi, once a second) joins a server that comes (back), connects the
// chosen ports that appear and follows the engine when it moves to another device.
// GUI thread, except songPrepared() (any thread).
class BeatClock : public QObject {
    Q_OBJECT
public:
    // The JACK client the engine's sound goes out through (empty: another device).
    // Asked on the GUI thread.
    using OutputInfo = std::function<QString()>;

    BeatClock(const EngineTimeline& timeline, OutputInfo output, Clock& clock,
              QObject* parent = nullptr);
    ~BeatClock() override;

    void setOptions(const BeatClockOptions& options);
    const BeatClockOptions& options() const { return options_; }
    // The chosen ports the clock reaches now.
    QStringList reached() const { return reached_; }
    // Whether the clock runs on a JACK server, and whether it follows the engine's
    // own frames there (rather than the time of its periods).
    bool onJack() const;
    bool followsEngine() const { return follows_; }

    // A song was prepared: its tempo (0: none) and the beats of its count-in (0:
    // none). Any thread (the show's).
    void songPrepared(double bpm, int countInBeats);

    // One look of the watch (also at each change of the options).
    void watch();

    static constexpr double kWatchMs = 1000;
    // Without a server, one is looked for every few looks (each try costs time and
    // a line on the terminal).
    static constexpr int kJackRetryLooks = 10;

private:
    OutputInfo output_;
    BeatClockOptions options_;
    std::unique_ptr<JackBeatClock> jack_;
    std::unique_ptr<ThreadBeatClock> thread_;
    int jackWait_ = 0;  // looks left before a JACK server is looked for again
    HiResTimer* watch_ = nullptr;
    QStringList reached_;
    bool follows_ = false;
    QString followed_;  // the engine client followed at the last look
    std::atomic<bool> countIn_{false};
};
