#pragma once

#include <QStringList>

// What the user chose for the beat clock ("Clock MIDI"): the MIDI outputs it goes
// to (as MidiSystem names them; none: no clock is sent) and whether the tempo
// lamp's count-in goes out as clock too.
struct BeatClockOptions {
    QStringList ports;
    bool countIn = false;

    bool operator==(const BeatClockOptions&) const = default;
};
