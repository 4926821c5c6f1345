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

private:
    void beatOn();
    void beatOff();
    void lockOutOver();

    Audio& w_;
};
