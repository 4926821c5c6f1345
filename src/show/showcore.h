#pragma once

#include <QObject>
#include <QString>
#include <QThread>
#include <array>
#include <atomic>
#include <memory>

#include "config/corestate.h"
#include "config/value.h"
#include "library/gearmessage.h"
#include "show/countinclick.h"

class ClickSound;
class Clock;
class FileProbe;
class GrooveSound;
class HiResTimer;
class MainTick;
class MediaPlayer;
class PortIo;
class PreloadChain;
class TempoLamp;
class WaveVolume;

// What the show core drives: its clock, the pedal box and the sound.
struct CoreServices {
    Clock& clock;
    PortIo& port;  // IO1
    GrooveSound& grooves;
    MediaPlayer& player;     // MediaPlayer1
    WaveVolume& waveVolume;  // Volume1
    FileProbe& files;
    ClickSound* click = nullptr;  // the count-in's audible click; null: none
};

// The show: the prepared song, what the pedals started, the pedal lock-out, the
// tempo lamp's count-in, the silent preload and the MP3 play list, with the timers
// that pace them (HiResTimer1, TmrIstrs, TmrBpmOn, TmrBpmOff, TmrPrePreload,
// TmrPreload, on the program's clock). It holds no widget and reads no control: the
// windows send it commands and show the copies of its state it signals (changed).
// Runs on the thread it belongs to (in the program a thread of its own, ShowThread).
// Any thread may give a command: from another thread it runs on the core's own, after
// the ones before it, and the caller waits for it; the core never waits for the
// windows. The rest of the interface (state,
// timers, the rules' access) is for the core's own thread.
class ShowCore : public QObject {
    Q_OBJECT
public:
    explicit ShowCore(const CoreServices& services, QObject* parent = nullptr);
    ~ShowCore() override;

    const CoreState& state() const { return state_; }
    const CoreServices& services() const { return s_; }

    // Commands.
    // Connects the pedal box (`Attiva`) or lets it go and stops the sound (`Disattiva`).
    void attach();
    void detach();
    // Prepares a song (Esc): the previous sound stops, the count-in and the silent
    // preload begin; gear: what the song sends to the other gear on stage. Nothing
    // while the box is detached.
    void prepare(const PreparedSong& song, const GearMessages& gear = {});
    // Starts the prepared song's first groove or MP3 without a flag or lamp (Enter).
    void enter();
    // The sound back after a crash: pedal 1's or 2's sound of the prepared song, as
    // a press starts it, from a frame of the groove's loop or a second of the MP3,
    // rising from silence; a preload that runs ends first. False: nothing to start.
    bool resumeSound(int pedal, double from);
    // Stops what sounds and starts the silent preload again (Space).
    void stopAll();
    // Starts the count-in again (the key of the tempo lamp).
    void restartCountIn();
    // The settings of the rules.
    void setIntervals(double pollMs, double preMuteMs, double bufferMs, double lockOutMs);
    // Holds the main tick while the user is asked whether to leave, and lets it go on.
    void holdPoll(bool held);
    void setCountIn(short beats, short metroAudio);
    // What the count-in's click sounds like (taken when a count-in begins).
    void setClickSettings(const CountInSettings& settings);
    void setStopAtEnd(bool on);
    void setWaveSlider(int value);  // Vol1: the wave output's level is twice it
    void setMp3Volume(int value);   // HSVolumeMp3
    void setMp3Folders(const std::array<Value, 10>& folders);
    void setDiagnosticsOpen(bool open);
    // Writes a value to the box's lamps (the diagnostics' test), or the transport's
    // own lamps again (rewriteLamps); 1 when written.
    int writeLamps(int value);
    void rewriteLamps();
    // Everything off before the program ends: the box darkened and let go, the
    // sound stopped.
    void close();

    // The timers, by their names (the settings show their intervals; the stage and
    // the count-in's click follow them).
    HiResTimer& pollTimer() const { return *poll_; }
    HiResTimer& lockOutTimer() const { return *lockOut_; }
    HiResTimer& beatTimer() const { return *beatOn_; }
    HiResTimer& beatOffTimer() const { return *beatOff_; }
    HiResTimer& preMuteTimer() const { return *preMute_; }
    HiResTimer& bufferTimer() const { return *buffer_; }

    // For the rules (MainTick, TempoLamp, PedalInterface, PreloadChain).
    CoreState& rules() { return state_; }
    void setLamp(ShowLamp lamp, std::int64_t color);
    void resetLamps();
    // The pedal lock-out, from the moment the pedal moved (the program's clock, ms;
    // -1: now): a press handed over late does not lengthen it, and one older than
    // the whole lock-out starts none.
    void startLockOut(double sinceMs);
    // Whether the lock-out's moment to end has come while its timer has not fired
    // yet (the thread was busy), and its end (the lamp, then the timer off).
    bool lockOutOverdue() const;
    // When the last lock-out ends or ended (the program's clock, ms).
    double lockOutEndMs() const { return lockOutUntilMs_; }
    void endLockOut();
    int waveSlider() const { return waveSlider_; }
    int mp3Volume() const { return mp3Volume_; }
    bool diagnosticsOpen() const { return diagOpen_; }
    const std::array<Value, 10>& mp3Folders() const { return folders_; }
    const QStringList& runningOrder() const { return runningOrder_; }
    // The messages for the other gear of the song prepared last (read at prepared()).
    const GearMessages& gearMessages() const { return gear_; }
    // Tells the windows the state, when it changed since they were last told.
    void publish();
    MainTick& mainTick() { return *tick_; }
    // Something the performer started began to sound, or has ended (songEnded, once).
    void soundStarted();
    void soundEnded();
    // How many times the pedals started a sound since start-up: any thread may ask,
    // to know whether an end it hears of late is still the last word.
    quint64 starts() const { return starts_.load(std::memory_order_acquire); }

signals:
    // The state changed: a copy for the windows.
    void changed(const CoreState& state);
    // A command from another thread has run: the state as last published, emitted on
    // the caller's thread (a copy that may come before changed() brings the same).
    void caughtUp(const CoreState& state);
    // A message for the user (a message box).
    void told(const QString& text);
    // The diagnostics' delay log: emptied, or a line added.
    void delaysCleared();
    void delayLogged(const QString& text);
    // The status the box last reported and what sounds, for the diagnostics.
    void statusSeen(int status, bool groove1, bool groove2);
    // The play list went on to this row of the running order.
    void playListMoved(int row);
    // A song was prepared (after its sound and lamps were set).
    void prepared();
    // The song that sounded has ended: a pedal stopped it, its MP3 came to its end
    // with "Stop dopo ogni brano" ticked, or the play list ran out. Once per start;
    // starts: the start number then (see starts()).
    void songEnded(quint64 starts);
    // The performer asked for the next (+1) or the previous (-1) song of the running
    // order from the pedal box ("Successivo", "Precedente").
    void stepAsked(int step);
    // The box's "Pagina avanti" (+1) or "Pagina indietro" (-1) pedal, while attached.
    void pageAsked(int page);
    // The main tick's work is done (a pedal or the play list may have acted).
    void ticked();

private:
    void silence();
    // From another thread: f runs on the core's thread, after the commands before it,
    // while the caller waits (true); the caller's copy of the state is then brought up
    // to date (caughtUp), so that what it does next sees the command done. On the
    // core's thread false, and the command goes on.
    template <class F>
    bool elsewhere(F&& f) {
        if (QThread::currentThread() == thread()) {
            return false;
        }
        CoreState after;
        QMetaObject::invokeMethod(
            this,
            [this, &f, &after] {
                f();
                after = published_;
            },
            Qt::BlockingQueuedConnection);
        emit caughtUp(after);
        return true;
    }

    CoreServices s_;
    CoreState state_;
    CoreState published_;
    HiResTimer* poll_;
    HiResTimer* lockOut_;
    HiResTimer* beatOn_;
    HiResTimer* beatOff_;
    HiResTimer* preMute_;
    HiResTimer* buffer_;
    std::unique_ptr<TempoLamp> tempo_;
    std::unique_ptr<MainTick> tick_;
    std::unique_ptr<PreloadChain> preload_;
    int waveSlider_ = 32767;
    int mp3Volume_ = -100;
    bool diagOpen_ = false;
    std::array<Value, 10> folders_;
    CountInSettings click_;
    double lockOutUntilMs_ = 0;
    QStringList runningOrder_;
    GearMessages gear_;
    bool ended_ = true;  // the sound last started has ended (or none was started)
    std::atomic<quint64> starts_{0};
};
