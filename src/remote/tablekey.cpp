#include "remote/tablekey.h"

#include <QKeyEvent>

namespace {

// The native scan code as an X keycode, or 0 when the event carries none (made up
// by other code, or a platform whose scan codes mean something else).
quint32 keycodeOf(const QKeyEvent& e) {
#if defined(Q_OS_UNIX) && !defined(Q_OS_DARWIN)
    return e.nativeScanCode();
#else
    Q_UNUSED(e);
    return 0;
#endif
}

}  // namespace

TableKey::TableKey(const QKeyEvent& e) {
    const Qt::KeyboardModifiers mods = e.modifiers();
    const bool shift = mods & Qt::ShiftModifier;
    const bool ctrlOrAlt = mods & (Qt::ControlModifier | Qt::AltModifier);
    modified_ = shift || ctrlOrAlt;
    const quint32 code = keycodeOf(e);
    if (code != 0) {
        readPosition(code);
        if (key_ != 0) {
            return;
        }
    }
    readSymbol(e.key(), shift, ctrlOrAlt, mods & Qt::KeypadModifier, code != 0);
}

void TableKey::readPosition(quint32 code) {
    if (code >= kDigit1 && code <= kDigit0) {
        key_ = code == kDigit0 ? int(Qt::Key_0) : int(Qt::Key_1 + (code - kDigit1));
    } else if (code == kLeftOfOne || code == kLessGreater) {
        key_ = Qt::Key_Backslash;
    }
}

// positional: the event has a keycode, so the keys the table reads by position
// were already looked at and a symbol typed elsewhere does not stand for them.
void TableKey::readSymbol(int k, bool shift, bool ctrlOrAlt, bool keypad, bool positional) {
    if (keypad) {
        // The keypad's digits and its "+" and "-" are the table's own keys; its other
        // keys mean what the same keys of the main block mean (its Enter, its 0 as
        // Insert without Num Lock). Its "*" and "/" are no volume key.
        if ((k >= Qt::Key_0 && k <= Qt::Key_9) || k == Qt::Key_Plus || k == Qt::Key_Minus ||
            namedKey(k)) {
            key_ = k;
        }
        return;
    }
    switch (k) {
        case Qt::Key_Plus:
        case Qt::Key_Equal:
            // "+" typed, or "=" on the key that types "+" with Shift (US and the
            // like): Shift was needed for the "+" and is not a modifier here.
            key_ = Qt::Key_Plus;
            modified_ = ctrlOrAlt;
            return;
        case Qt::Key_Asterisk:
            // Shift with a "+" key that types "+" without it (Italian and the like).
            if (shift) {
                key_ = Qt::Key_Plus;
            }
            return;
        case Qt::Key_Minus:
            key_ = Qt::Key_Minus;
            return;
        case Qt::Key_Underscore:  // Shift with the "-" key
            key_ = Qt::Key_Minus;
            modified_ = true;
            return;
        case Qt::Key_Backslash:
        case Qt::Key_Bar:
        case Qt::Key_Less:
        case Qt::Key_Greater:
            if (!positional) {
                key_ = Qt::Key_Backslash;
            }
            return;
        default:
            break;
    }
    if (!positional && k >= Qt::Key_0 && k <= Qt::Key_9) {
        key_ = k;
        return;
    }
    if (namedKey(k)) {
        key_ = k;
    }
}

// The keys the table names by what they are, wherever they sit.
bool TableKey::namedKey(int k) {
    return (k >= Qt::Key_A && k <= Qt::Key_Z) || (k >= Qt::Key_F1 && k <= Qt::Key_F12) ||
           k == Qt::Key_Return || k == Qt::Key_Enter || k == Qt::Key_Escape || k == Qt::Key_Space ||
           k == Qt::Key_Insert;
}
