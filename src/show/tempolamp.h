#pragma once

class ShowCore;

// The tempo lamp and the pedal lock-out: TmrBpmOn lights the box's tempo lamp
// (and turns the connection lamp yellow) once a beat while beats of the count-in
// remain, TmrBpmOff darkens it 80 ms later, and TmrIstrs ends the pedal lock-out.
// With "Metron. Audio" unticked the lamp keeps flashing once a beat, without
// counting down, until a groove starts. On the show core's thread.
class TempoLamp {
public:
    explicit TempoLamp(ShowCore& core);

    // Starts the count-in of Quarti beats (keys 220 and 226): only while the box is
    // attached and the prepared song has a tempo.
    void restartCountIn();
    // Sets the count-in of a song just prepared: its beat, or no lamp without a
    // tempo a timer can run (the tempo then counts as none).
    void startFor(double bpm);

    // The beat of a tempo in milliseconds, or 0 when the tempo gives none a timer
    // can run: none, not a number, or so slow that a beat would outlast the longest
    // timer interval (a BPM of 0.00001 would be a beat of 70 days).
    static double beatLength(double bpm);

    void setCountIn(short beats, short metroAudio) {
        quarti_ = beats;
        metroAudio_ = metroAudio;
    }

private:
    void beatOn();
    void beatOff();

    ShowCore& core_;
    short quarti_ = 4;
    short metroAudio_ = 1;
};
