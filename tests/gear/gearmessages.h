#pragma once

#include "library/gearmessage.h"

// Messages to the other gear as the tests write them.
namespace GearMessagesFor {

inline GearMessage program(const QString& port, int channel, int number, int msb = -1,
                           int lsb = -1) {
    GearMessage m;
    m.port = port;
    m.channel = channel;
    m.number = number;
    m.bankMsb = msb;
    m.bankLsb = lsb;
    return m;
}

inline GearMessage control(const QString& port, int channel, int number, int value) {
    GearMessage m = program(port, channel, number);
    m.kind = GearMessage::Kind::Control;
    m.value = value;
    return m;
}

inline GearMessage sysEx(const QString& port, const QByteArray& bytes) {
    GearMessage m = program(port, 1, 0);
    m.kind = GearMessage::Kind::SysEx;
    m.sysEx = bytes;
    return m;
}

}  // namespace GearMessagesFor
