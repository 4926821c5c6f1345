#pragma once

class ShowCore;

// The main tick (HiResTimer1): reads the pedal box on every tick; when its status
// changed, the box is attached and no lock-out runs, it turns pedal presses into
// starts and stops of the prepared song's grooves or MP3, keeps the lamps in step,
// detects a lost box and reports the status to the diagnostics. On every tick it
// also moves an MP3 play list on when the current track has ended. On the show
// core's thread.
class MainTick {
public:
    explicit MainTick(ShowCore& core);

    // One tick of HiResTimer1.
    void tick();
    // A pedal event of a box whose events arrive by themselves (MIDI, keys): the
    // status is looked at now, as a tick would (lock-out included), without the
    // rest of the tick's work; also the moment the pedal lock-out ends.
    void pedalEvent();

    // The sound back after a crash: starts pedal 1's or 2's sound of the prepared
    // song as a press would (flags, lamps), from a frame of the groove's loop or a
    // second of the MP3, rising from silence. False when there is nothing to start.
    bool resume(int pedal, double from);

    // The status value last processed (0 before any).
    int UltimoStato() const { return ultimoStato_; }

private:
    struct Pedal;
    static const Pedal kOne;
    static const Pedal kTwo;
    void lookAtStatus();
    void handlePedal(int status, const Pedal& pedal);
    // from: past 0, where the sound begins (a groove's frame, an MP3's second).
    void start(const Pedal& pedal, double from = 0);
    void stop(const Pedal& pedal);
    void mirror(int status);
    void playListAdvance();
    // Moves the play list to the next song and starts its MP3; false at the end of
    // the list or when the next song's file is found in no folder.
    bool startNextTrack();
    void endPlayList();
    // Tells the core when a single MP3 has played to its end.
    void trackEnd();

    ShowCore& core_;
    int ultimoStato_ = 0;
    // Pedals whose release the box reported inside the lock-out: a press that comes
    // after the lock-out's end is a new press even when no look fell between.
    int releasedInLockOut_ = 0;
    double posizionePrec_ = 0;
    // When InizioGroove was last set, on the monotonic clock (ms): the delay log
    // measures from here.
    double inizioGrooveMs_ = 0;
};
