#pragma once

#include <QString>
#include <cstddef>
#include <cstdint>
#include <optional>

// One MIDI message as a pedal or a lamp is bound to it: a note or a control change
// on one channel, with its number. A pedal reads a note on (velocity above 0) or a
// control change of 64 or more as down, a note off, a note on of velocity 0 or a
// control change below 64 as up. A lamp is sent as note on 127 / note off, or as
// a control change of 127 / 0. Plain values: any thread.
struct MidiBinding {
    enum class Type { None, Note, Control };

    Type type = Type::None;
    int channel = 0;  // 0 to 15 (shown as 1 to 16)
    int number = 0;   // 0 to 127

    bool isSet() const { return type != Type::None; }
    bool operator==(const MidiBinding&) const = default;

    // What a received message says about a pedal: the binding it matches and
    // whether that is down or up.
    struct Event;
    // Reads a message as RtMidi hands it over; nothing for anything but notes and
    // control changes (clock, sysex, pitch bend, ...).
    static std::optional<Event> read(const std::uint8_t* bytes, std::size_t size);

    // The three bytes that light (on) or darken the lamp bound here.
    void lampMessage(bool on, std::uint8_t out[3]) const;

    // For the settings and the diagnostics: "Nota 60, canale 1", "Controllo 64,
    // canale 10", "nessuno".
    QString text() const;
    // As stored in the configuration: "n1.60", "c10.64", "" when not set.
    QString toText() const;
    // Reads toText(); a text that is not such a binding gives an unset binding.
    static MidiBinding fromText(const QString& text);

    // A received message in words, for the diagnostics panel's list of the last
    // messages: "Nota 60 giù, canale 1", "Controllo 64 = 0, canale 1", or the bytes
    // in hexadecimal for other messages.
    static QString describe(const std::uint8_t* bytes, std::size_t size);
};

struct MidiBinding::Event {
    MidiBinding binding;
    bool down = false;
};
