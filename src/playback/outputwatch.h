#pragma once

#include <QObject>
#include <QString>

class AudioEngine;
class Clock;
class HiResTimer;

// Watches the sound output once a second (`TmrUscitaAudio`). When the device stops
// taking sound (unplugged, its sound server restarted) it says so, without a modal
// box, and tries the same device again at every look; the voices meanwhile stand
// where the audience stopped hearing them, so when the device is back the groove or
// the MP3 goes on from there. The transport knows nothing of it: a pedal pressed
// meanwhile acts as ever, and is heard when the device is back. Choosing another
// device in the settings ends the wait too. GUI thread.
class OutputWatch : public QObject {
    Q_OBJECT
public:
    static constexpr double kLookMs = 1000;

    OutputWatch(AudioEngine& engine, Clock& clock, QObject* parent = nullptr);
    ~OutputWatch() override;

    // Whether the output is lost and waited for.
    bool away() const { return away_; }
    // The lines for the performer: the output lost, and back.
    static QString awayText();
    static QString backText();

    // One look, as the timer takes it.
    void look();

signals:
    // The output was lost (awayText) or is back (backText).
    void changed(const QString& line);

private:
    AudioEngine& engine_;
    HiResTimer* timer_;
    bool away_ = false;
};
