#pragma once

#include <QString>
#include <QStringList>
#include <memory>

class Clock;
class PortIo;

// The pedal boxes whose events arrive by themselves: MIDI foot controllers and
// page-turner pedals. GUI thread only.
class PedalBoxes {
public:
    // The box that the pedal setting text (see PedalSetup) asks for, or null when
    // it names the parallel port or the on-screen box.
    static std::unique_ptr<PortIo> create(const QString& setting, const Clock& clock);
    // The entries of the list of pedal boxes for these kinds: one "midi:NAME" per
    // MIDI input port the system has now, and "keys".
    static QStringList available();
    // How the list of pedal boxes shows an entry ("MIDI: NAME", "Pedale voltapagine
    // (tasti)"); empty for an entry of another kind.
    static QString shownName(const QString& entry);
};
