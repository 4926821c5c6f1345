#pragma once

#include <vector>

#include "library/gearmessage.h"

// Messages for other gear, made in one line for the tests' tables. Values as sent
// on the wire; -1: no bank select.
namespace GearSamples {

inline GearMessage program(const QString& port, int number, int msb = -1, int lsb = -1,
                           int channel = 1) {
    GearMessage m;
    m.port = port;
    m.number = number;
    m.bankMsb = msb;
    m.bankLsb = lsb;
    m.channel = channel;
    return m;
}

inline GearMessage control(const QString& port, int controller, int value, int channel = 1) {
    GearMessage m;
    m.kind = GearMessage::Kind::Control;
    m.port = port;
    m.number = controller;
    m.value = value;
    m.channel = channel;
    return m;
}

// hex: the bytes as hex digits, e.g. "f07ef7".
inline GearMessage sysEx(const QString& port, const char* hex) {
    GearMessage m;
    m.kind = GearMessage::Kind::SysEx;
    m.port = port;
    m.sysEx = QByteArray::fromHex(hex);
    return m;
}

// Lists that every way of keeping them must give back as they were: each kind, the
// limits of each value, and the names a port may have (quotes, semicolons, colons,
// bars, percent signs, accents, blanks at the ends, a line break, an at sign).
inline std::vector<GearMessages> lists() {
    const QString odd = QString::fromUtf8("Caffè \"Voce\"; 1:2 | 50% 'x'");
    return {
        {},
        {program("Nord Stage 3", 5, 0, 2)},
        {program("Nord", 127, 127, -1, 16), program("Nord", 0, -1, 0), control("Nord", 7, 100, 2)},
        {control(odd, 0, 0, 10), sysEx(odd, "f07e7f0601f7")},
        {program(QString::fromUtf8(" Ünïcode @home\n"), 0, -1, -1, 3), sysEx("%41:|", "f0f7"),
         control(" spazi ", 127, 127)},
        {program("", 0)},
    };
}

}  // namespace GearSamples
