#pragma once

#include <QByteArray>
#include <QString>

#include "library/gearmessage.h"

// The diagnostics panel's words for what went to the other gear on stage: one line
// per message, with the time of day it went, the port and the message in the
// program's voice ("21:04:05.123 Tastiera: banco 0/1, programma 5 (canale 1)").
// Values are shown as they go on the wire. Plain functions: any thread.
namespace GearLogText {

// Why a message did not go out.
enum class NotSent {
    NoPort,   // the port is not there now
    Invalid,  // a value out of range, a malformed SysEx
    Failed,   // the system refused it (the port went while sending)
    TooLong,  // more than the port takes at once
};

// The time of day (seconds since midnight) as hh:mm:ss.zzz.
QString timeOfDay(double seconds);
// The bytes in hexadecimal ("F0 43 10 F7"); a long run is shortened in the middle,
// with its length.
QString hex(const QByteArray& bytes);
// What the message does, without its port.
QString message(const GearMessage& m);

// The log's lines.
QString sent(double seconds, const GearMessage& m);
QString notSent(double seconds, const GearMessage& m, NotSent why);
// A port of the prepared song is there again: its messages follow.
QString portBack(double seconds, const QString& port);

}  // namespace GearLogText
