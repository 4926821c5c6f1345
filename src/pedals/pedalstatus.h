#pragma once

#include <QStringList>
#include <mutex>

// The two pedals of a box whose events arrive by themselves (MIDI, keys), as the
// status bits the transport reads. A press is kept until the status has been read
// once, so a tap shorter than the time between two looks (or one inside the
// pedal lock-out) is still seen as a press. A latching pedal, which sends one
// message per press, is a press followed by a release. Also keeps the last events
// for the diagnostics panel. Any thread may call: the events may be written on one
// (the keys on the GUI thread) while the transport reads on another (the show
// thread) and the diagnostics panel shows them on a third; a small lock, held only
// for a few assignments, keeps them apart.
class PedalStatus {
public:
    static constexpr int kKeep = 12;  // events kept for the diagnostics panel

    // Pedal 1 or 2 went down (true) or up, at the moment atMs (the program's
    // clock; -1 unknown).
    void set(int pedal, bool down, double atMs = -1);
    // A latching pedal's one message: a press, and the release after it is read.
    void toggle(int pedal, double atMs = -1);
    // When the latest press happened (-1 unknown).
    double lastEventMs() const;

    // The pedal bits (0x40, 0x04) for the transport; a press not yet read is
    // reported once even when the pedal is up again.
    int read();
    // Both pedals up, nothing pending.
    void clear();

    // The last events, oldest first, in words.
    void log(const QString& text);
    QStringList recent() const;

private:
    static int mask(int pedal);

    mutable std::mutex mutex_;
    int down_ = 0;
    int unread_ = 0;
    double lastMs_ = -1;
    QStringList recent_;
};
