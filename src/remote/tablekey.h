#pragma once

#include <QtGlobal>

class QKeyEvent;

// What one key press means to the main window's key table. The table names some
// keys by where they sit, not by what they type: the digit row chooses a filter
// with or without Shift, the key left of "1" and the one between the left Shift and
// "Z" restart the count-in. Those are read from the physical key (the X keycode that
// X11 and Wayland deliver as the native scan code), so the table works the same on
// an Italian, a US or another common layout. The volume keys are the keys that
// bear "+" and "-": Ctrl or Alt with them always means the MP3 volume, Shift only
// where the layout types the symbol without it (Shift with the Italian "+" gives
// "*"; on a US keyboard "+" itself needs Shift). Events without a native scan code
// (made up by other code) are read from the Qt key alone. GUI thread only.
class TableKey {
public:
    // The keys that the table reads by position, as X keycodes (evdev code + 8).
    static constexpr quint32 kDigit1 = 10;  // the digit row runs 10 ("1") to 19 ("0")
    static constexpr quint32 kDigit0 = 19;
    static constexpr quint32 kLeftOfOne = 49;    // "\" and "|" on Italian, "`" on US
    static constexpr quint32 kLessGreater = 94;  // "<" and ">" of a 102-key keyboard

    explicit TableKey(const QKeyEvent& event);

    // A Qt key naming the table's row: Qt::Key_0..9 for a digit of the digit row
    // or the keypad, Qt::Key_A..Z, the function and editing keys as they are,
    // Qt::Key_Plus and Qt::Key_Minus for the volume keys (main keyboard or
    // keypad), Qt::Key_Backslash for the count-in keys; 0 for a key without a row.
    int key() const { return key_; }
    // Whether the table's "Shift, Ctrl or Alt" column applies.
    bool modified() const { return modified_; }

private:
    void readPosition(quint32 code);
    void readSymbol(int qtKey, bool shift, bool ctrlOrAlt, bool keypad, bool positional);
    static bool namedKey(int qtKey);

    int key_ = 0;
    bool modified_ = false;
};
