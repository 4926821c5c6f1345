#pragma once

#include <QString>
#include <QStringView>

// Numbers in texts the user types and in stored files.
namespace NumberText {

// The number a text begins with, 0 when it begins with none. Blanks, tabs and line
// feeds are ignored anywhere in the text ("1 000" is 1000); then an optional sign,
// digits with a period as decimal mark and an optional exponent (E or D), read up
// to the first character that cannot continue the number. A leading &H or &O reads
// hexadecimal or octal digits (16- and 32-bit values with the top bit set are negative).
// A number too large or too small for a double (1E999, 1E-999) gives 0.
double leadingNumber(QStringView text);

// Plain decimal for storing: minus sign when negative, a period before any fraction,
// the shortest form that reads back as the same double ("40.5", "5000", "-2147483641"),
// never an exponent (100000, not 1e+05). Not-a-number and infinities give "0".
QString format(double value);

// The default text form of a single-precision value, as shown to the user: up to
// seven significant digits ("5121.094", "0.25", "1.234568e+07"), the decimal mark of
// the program's locale (the system's unless set otherwise), never a thousands
// separator, whatever the locale.
QString single(float value);

}  // namespace NumberText
