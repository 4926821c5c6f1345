#pragma once

#include <QObject>
#include <functional>

class ClickSound;
class HiResTimer;

// What the count-in's click needs to know when the count-in begins.
struct CountInSettings {
    bool audible = false;    // "Metron. Audio" ticked
    int route = 0;           // 0 nowhere, 1 main output, 2 channels 3-4
    int level = 50;          // 0 to 100
    int beats = 0;           // beats of the count-in (Quarti)
    double frequencyHz = 0;  // MetroFreq
    double lengthMs = 0;     // MetroDurata
};

// Makes the count-in audible: whenever the tempo lamp's beat timer (TmrBpmOn)
// starts a count-in, the engine is given the clicks of the whole count-in, one a
// beat from the next beat on, so each click falls on the frame of the beat the lamp
// shows; when the timer stops (a pedal starts the song, the box is disconnected, a
// song without tempo is prepared) the clicks still to come are dropped. Nothing
// happens while "Metron. Audio" is unticked or the click goes nowhere. On the thread of
// the beat timer.
class CountInClick : public QObject {
    Q_OBJECT
public:
    CountInClick(HiResTimer& beat, ClickSound& click, std::function<CountInSettings()> settings,
                 QObject* parent = nullptr);

private:
    void started();

    HiResTimer& beat_;
    ClickSound& click_;
    std::function<CountInSettings()> settings_;
};
