#pragma once

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

}  // namespace GearSamples
