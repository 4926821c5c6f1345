#pragma once

#include <QObject>
#include <QString>
#include <QStringList>

// The port I/O component (`IO1`) through which all access to the pedal box goes.
// Status bits read: 0x80 box present, 0x40 pedal 1 down, 0x04 pedal 2 down,
// 0x08 box lost, 0x10 and 0x20 shown on the diagnostics panel only, 0x100 a box
// whose device went away and is waited for (it comes back by itself). Output values:
// 1 pedal-1 lamp, 2 pedal-2 lamp, 4 tempo lamp, 8 interface on.
// No call raises an error in any order: opening twice, writing or reading after a
// close and closing when closed are all harmless. Every call is made on the thread
// the port lives on (the show thread in the program, the test's thread in tests),
// except description(), recentEvents() and staysOnGuiThread(), which the
// diagnostics panel may also call from the GUI thread.
class PortIo : public QObject {
    Q_OBJECT
public:
    static constexpr int kPresent = 0x80;
    static constexpr int kPedal1 = 0x40;
    static constexpr int kPedal2 = 0x04;
    static constexpr int kLost = 0x08;
    static constexpr int kPowerOff = 0x10;
    static constexpr int kConnect = 0x20;
    static constexpr int kAway = 0x100;

    explicit PortIo(QObject* parent = nullptr) : QObject(parent) {
        setObjectName(QStringLiteral("IO1"));
    }

    virtual void setSetup(int value) = 0;
    // Non-zero when the port is open, 0 when it could not be opened.
    virtual int openPort(const QString& name, const QString& options) = 0;
    virtual int readStatus() = 0;
    virtual void setMode(int mode) = 0;
    // 1 when the value was written.
    virtual int writeData(int value) = 0;
    virtual void closePort() = 0;
    // A short description of what this backend drives, for messages.
    virtual QString description() const = 0;
    // The last events the box reported (MIDI messages, keys), oldest first, for the
    // diagnostics panel; empty for a box that is only polled.
    virtual QStringList recentEvents() const { return {}; }
    // Whether the box's events arrive by themselves (pedalEvent), rather than being
    // found only when the status is read.
    virtual bool eventsArriveByThemselves() const { return false; }
    // When the latest pedal event reached the box, on the program's clock (ms),
    // stamped where it arrived; -1 when the event is as old as the status read (a
    // polled box, keys read as they come).
    virtual double lastEventMs() const { return -1; }
    // Whether the box must stay on the GUI thread because its input arrives there
    // (keys): such a box is not moved to the show thread with the port; its calls
    // from the show thread are safe. Any other box moves to the show thread whole.
    virtual bool staysOnGuiThread() const { return false; }

signals:
    // A box whose events arrive by themselves (MIDI, keys) has a pedal event: the
    // transport looks at the status at once instead of at its next tick.
    void pedalEvent();
    // recentEvents() changed.
    void eventsLogged();
    // Something about the box the performer should know at once, in a short Italian
    // line for the main window (a box that was deaf and listens again): shown without
    // stopping the show.
    void notice(const QString& text);
    // The pedal taught as "Successivo" (+1) or "Precedente" (-1) was pressed.
    void stepAsked(int step);
    // The pedal taught as "Pagina avanti" (+1) or "Pagina indietro" (-1) was pressed.
    void pageAsked(int page);
};
