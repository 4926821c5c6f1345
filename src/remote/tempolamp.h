#pragma once

class Audio;

// The tempo lamp and the pedal lock-out: TmrBpmOn lights the box's tempo lamp
// (and turns LedConnect yellow) once a beat while beats of the count-in remain,
// TmrBpmOff darkens it 80 ms later, and TmrIstrs ends the pedal lock-out.
// With "Metron. Audio" unticked the lamp keeps flashing once a beat, without
// counting down, until a groove starts. GUI thread only.
class TempoLamp {
public:
    explicit TempoLamp(Audio& window);

    // Starts the count-in of Quarti beats (keys 220 and 226): only while the box is
    // attached and the prepared song has a tempo.
    void restartCountIn();

    // The beat of a tempo in milliseconds, or 0 when the tempo gives none a timer
    // can run: none, not a number, or so slow that a beat would outlast the longest
    // timer interval (a BPM of 0.00001 would be a beat of 70 days).
    static double beatLength(double bpm);

private:
    void beatOn();
    void beatOff();
    void lockOutOver();

    Audio& w_;
};
