#pragma once

#include <QString>
#include <QStringList>
#include <optional>

// A list of MIDI port names in one text field of the configuration file, e.g.
// "FCB1010:FCB1010 MIDI 1|Boss RC-500:Boss RC-500 MIDI 1". The names are parted by
// "|"; in a name "%", "|", the double quote and control characters are written as
// "%" and two upper-case hex digits, so that any name (commas, colons, blanks,
// accents, quotes) comes back as it was and the field never holds what ends a
// quoted field or a line. Empty text is no ports. Pure functions; any thread.
namespace PortListText {

// The field's text of ports; empty names are left out, a name listed twice once.
QString encode(const QStringList& ports);

// The ports of a field's text; nothing when the text is not one encode() writes
// (an empty name, a "%" not followed by two hex digits, a bare quote or control
// character).
std::optional<QStringList> decode(const QString& text);

}  // namespace PortListText
