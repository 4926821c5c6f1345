#pragma once

#include <QByteArray>
#include <QString>
#include <optional>

#include "library/gearmessage.h"

// The messages for other gear as text: a SysEx as hex bytes ("F0 7E 7F 06 01 F7"),
// and a song's whole list in one spreadsheet cell. The cell form:
//
//   cell     = message *( "|" message )        blanks around a "|" are ignored
//   message  = kind "@" port ":" fields
//   kind     = "PC" (program change) / "CC" (control change) / "SX" (SysEx), any case
//   PC       = channel ":" bank MSB ":" bank LSB ":" program   (an empty bank: none)
//   CC       = channel ":" controller ":" value
//   SX       = the hex bytes, F0 to F7
//
// e.g. "PC@Nord Stage 3:1:0:2:5 | CC@Nord Stage 3:1:7:100 | SX@VoiceLive:F0 7E 7F F7".
// Values are the wire's (programs 0 to 127). In a port name "%", "|", ":", control
// characters and blanks at either end are written as "%" and two hex digits, so any
// name (quotes, semicolons, accents) comes back as it was; the cell's quoting for the
// file is the CSV layer's. An empty cell is no messages. Pure functions; any thread.
namespace GearText {

// "F0 7E F7": upper-case hex bytes parted by blanks.
QString hex(const QByteArray& bytes);
// The bytes of a hex text (blanks anywhere, any case; "F07EF7" too). Nothing when a
// character is not hex or the digits are odd in number.
std::optional<QByteArray> bytes(const QString& hexText);

// The cell of a list of messages.
QString encode(const GearMessages& messages);
// The messages of a cell. Nothing, with an Italian *why naming the message at fault
// (e.g. "messaggio MIDI 2: canale \"17\" fuori dai limiti"), when any message is
// malformed or could not be sent as it stands (GearMessage::wire()).
std::optional<GearMessages> decode(const QString& cell, QString* why);

}  // namespace GearText
