#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <vector>

// One message a song sends to another device on stage when it becomes the prepared
// song: a program change (with its bank select), a control change or a
// system-exclusive message, each to an output port and (not SysEx) a channel. Values
// are kept as they go on the wire (programs 0 to 127); how the user counts them is a
// property of the port (PorteMidi). Plain data: any thread.
struct GearMessage {
    enum class Kind { Program, Control, SysEx };

    Kind kind = Kind::Program;
    QString port;      // the output port's name, as MidiSystem compares names
    int channel = 1;   // 1 to 16 (not for SysEx)
    int bankMsb = -1;  // Program: bank select MSB (control 0), -1 none
    int bankLsb = -1;  // Program: bank select LSB (control 32), -1 none
    int number = 0;    // Program: the program, 0 to 127; Control: the controller
    int value = 0;     // Control: the value, 0 to 127
    QByteArray sysEx;  // SysEx: the whole message, F0 to F7

    bool operator==(const GearMessage&) const = default;

    // The messages on the wire, in the order they go: the bank select's MSB, then its
    // LSB, then the program change; one message for the others. Empty when the
    // message cannot be sent as it stands (a value out of range, a SysEx that does
    // not begin with F0 and end with F7 or has a data byte above 7F).
    std::vector<std::vector<unsigned char>> wire() const;
};

using GearMessages = QList<GearMessage>;
