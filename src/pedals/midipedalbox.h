#pragma once

#include <array>
#include <memory>

#include "pedals/midiinput.h"
#include "pedals/pedalsetup.h"
#include "pedals/pedalstatus.h"
#include "pedals/portio.h"

class Clock;
class RtMidiOut;

// A MIDI foot controller as the pedal box: its input port by name, the two pedals
// as the messages taught for them, and the four lamps sent back as the notes or
// control changes set for them (only the lamps whose state changed; the whole
// state at the connection and once more a moment later, as a new MIDI connection
// may lose its first messages; all dark when the box is closed). The box is
// present while its input port is there. A port that vanishes after the open makes
// the box away (kAway, not lost: the show goes on, and no one needs to press
// "Collega"): it is looked for by name at every look, and when it is back it is
// listened to again and shown the whole state of the lamps, with a line for the
// performer (notice) and the diagnostics panel. A pedal message
// is handed to the transport as it arrives (pedalEvent). Opening never fails:
// without a MIDI system or the port the box is simply absent. The box and its
// input move to another thread together (the show thread): the messages are then
// handed over there, with no help from the GUI thread. Every call is made on the
// box's own thread, except description() and recentEvents(), which any thread may
// call (the diagnostics panel on the GUI thread).
class MidiPedalBox : public PortIo {
    Q_OBJECT
public:
    MidiPedalBox(const PedalSetup& setup, const Clock& clock,
                 MidiSystem::Api api = MidiSystem::Api::Automatic, QObject* parent = nullptr);
    ~MidiPedalBox() override;

    void setSetup(int value) override;
    int openPort(const QString& name, const QString& options) override;
    int readStatus() override;
    void setMode(int mode) override;
    int writeData(int value) override;
    void closePort() override;
    QString description() const override;
    QStringList recentEvents() const override { return status_.recent(); }
    bool eventsArriveByThemselves() const override { return true; }
    double lastEventMs() const override { return status_.lastEventMs(); }

    const PedalSetup& setup() const { return setup_; }
    // The main window's line when the input, held deaf by a system-exclusive message
    // that never ended, was opened afresh.
    static QString reopenedText();
    // The performer's lines when the controller went away and when it came back.
    static QString awayText();
    static QString backText();
    // How often, at most, the port list is looked at to notice a vanished
    // controller, in milliseconds.
    static constexpr double kLookMs = 200;

private:
    void received(const MidiInput::Message& message);
    // Opens the input and the lamps' output by name; false without the input.
    bool attach();
    // Lets go of the lamps' port (kept, never closed, once its JACK server died).
    void dropLamps();
    void look();
    void lookForReturn();
    void sendLamps(int value);

    const PedalSetup setup_;  // never changed: description() reads it from any thread
    const Clock& clock_;
    MidiSystem::Api api_;
    // A child of the box, so that moving the box to another thread moves the input
    // (and its eventfd's notifier) too.
    MidiInput input_;
    std::unique_ptr<RtMidiOut> out_;
    PedalStatus status_;
    bool open_ = false;
    bool present_ = false;
    bool away_ = false;
    bool refreshed_ = false;
    bool eventPending_ = false;  // a pedal message waits to be read by the transport
    double lookedAtMs_ = 0;
    int sent_ = -1;   // the lamp value the controller shows; -1: not known
    int wanted_ = 0;  // the lamp value last written, shown again when the box is back
};
