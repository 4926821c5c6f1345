#include "support/layoutkeys.h"

#include <QApplication>
#include <QRadioButton>
#include <QScrollBar>

#include "support/harness.h"

namespace LayoutKeys {

namespace {

constexpr int kWave = 16000;
constexpr int kMp3 = -1000;

// X keycodes (evdev + 8) of the keys the cases use.
constexpr quint32 kTilde = 49, kLessGreater = 94, kDigit1 = 10, kDigit8 = 17, kDigit0 = 19;
constexpr quint32 kAe11 = 20, kAe12 = 21, kAd12 = 35, kComma = 59, kPeriod = 60, kAb10 = 61;
constexpr quint32 kReturn = 36, kInsert = 118;
// The keypad, Num Lock off: its 0 is Insert.
constexpr quint32 kKpEnter = 104, kKp0 = 90, kKpAdd = 86, kKpSubtract = 82, kKpMultiply = 63;

const Qt::KeyboardModifiers kNone = Qt::NoModifier;
const Qt::KeyboardModifiers kShift = Qt::ShiftModifier;
const Qt::KeyboardModifiers kCtrl = Qt::ControlModifier;
const Qt::KeyboardModifiers kPad = Qt::KeypadModifier;

using E = Effect;

}  // namespace

std::vector<Case> cases(const QString& layout) {
    static const std::vector<Case> all = {
        // Italian: "+*]" right of "è", "-_" right of ".", "\|" left of "1", "<>" left of "Z".
        {"it", "plus", kAd12, Qt::Key_Plus, kNone, "+", E::WaveUp, "+"},
        {"it", "shift+plus", kAd12, Qt::Key_Asterisk, kShift, "*", E::Mp3Up, "Shift with +"},
        {"it", "ctrl+plus", kAd12, Qt::Key_Plus, kCtrl, "+", E::Mp3Up, "Ctrl with +"},
        {"it", "minus", kAb10, Qt::Key_Minus, kNone, "-", E::WaveDown, "-"},
        {"it", "shift+minus", kAb10, Qt::Key_Underscore, kShift, "_", E::Mp3Down, "Shift with -"},
        {"it", "backslash", kTilde, Qt::Key_Backslash, kNone, "\\", E::CountIn, "left of 1"},
        {"it", "shift+backslash", kTilde, Qt::Key_Bar, kShift, "|", E::CountIn, "Shift, left of 1"},
        // By keycode: xdotool's "less" is Shift with the Z key's remapped keysym here.
        {"it", "94", kLessGreater, Qt::Key_Less, kNone, "<", E::CountIn, "left of Z"},
        {"it", "shift+0", kDigit0, Qt::Key_Equal, kShift, "=", E::Filter0, "Shift with 0"},
        {"it", "shift+1", kDigit1, Qt::Key_Exclam, kShift, "!", E::Filter1, "Shift with 1"},
        {"it", "1", kDigit1, Qt::Key_1, kNone, "1", E::Filter1, "1"},
        {"it", "shift+period", kPeriod, Qt::Key_Colon, kShift, ":", E::Nothing, "Shift with ."},
        // US: "=+" left of Backspace, "-_" beside it, "`~" left of "1", "\|" above Enter.
        {"us", "grave", kTilde, Qt::Key_QuoteLeft, kNone, "`", E::CountIn, "left of 1"},
        {"us", "shift+grave", kTilde, Qt::Key_AsciiTilde, kShift, "~", E::CountIn,
         "Shift, left of 1"},
        {"us", nullptr, kLessGreater, Qt::Key_Less, kNone, "<", E::CountIn, "left of Z"},
        {"us", "shift+equal", kAe12, Qt::Key_Plus, kShift, "+", E::WaveUp, "+ (Shift with =)"},
        {"us", "equal", kAe12, Qt::Key_Equal, kNone, "=", E::WaveUp, "= (the + key)"},
        {"us", "ctrl+equal", kAe12, Qt::Key_Equal, kCtrl, "=", E::Mp3Up, "Ctrl with ="},
        {"us", "minus", kAe11, Qt::Key_Minus, kNone, "-", E::WaveDown, "-"},
        {"us", "shift+minus", kAe11, Qt::Key_Underscore, kShift, "_", E::Mp3Down, "Shift with -"},
        {"us", "shift+comma", kComma, Qt::Key_Less, kShift, "<", E::Nothing, "Shift with ,"},
        {"us", "shift+period", kPeriod, Qt::Key_Greater, kShift, ">", E::Nothing, "Shift with ."},
        {"us", "shift+0", kDigit0, Qt::Key_ParenRight, kShift, ")", E::Filter0, "Shift with 0"},
        {"us", "shift+8", kDigit8, Qt::Key_Asterisk, kShift, "*", E::Filter8, "Shift with 8"},
        {"us", "shift+1", kDigit1, Qt::Key_Exclam, kShift, "!", E::Filter1, "Shift with 1"},
    };
    // The same on both layouts: Enter and Insert of the main block and the keypad.
    static const std::vector<Case> keypad = {
        {"", "Return", kReturn, Qt::Key_Return, kNone, "\r", E::GrooveStarts, "Enter"},
        {"", "KP_Enter", kKpEnter, Qt::Key_Enter, kPad, "\r", E::GrooveStarts, "keypad Enter"},
        {"", "Insert", kInsert, Qt::Key_Insert, kNone, "", E::AboutOpens, "Insert"},
        {"", "KP_Insert", kKp0, Qt::Key_Insert, kPad, "", E::AboutOpens, "keypad 0 as Insert"},
        {"", "KP_Add", kKpAdd, Qt::Key_Plus, kPad, "+", E::WaveUp, "keypad +"},
        {"", "ctrl+KP_Subtract", kKpSubtract, Qt::Key_Minus, kPad | kCtrl, "-", E::Mp3Down,
         "Ctrl with keypad -"},
        {"", "shift+KP_Multiply", kKpMultiply, Qt::Key_Asterisk, kPad | kShift, "*", E::Nothing,
         "Shift with keypad *"},
    };
    std::vector<Case> out;
    for (const char* known : {"it", "us"}) {
        if (layout == QLatin1String(known)) {
            for (Case c : keypad) {
                c.layout = known;
                out.push_back(c);
            }
        }
    }
    for (const Case& c : all) {
        if (layout == QLatin1String(c.layout)) {
            out.push_back(c);
        }
    }
    return out;
}

void settle(Harness& h) {
    h.grooves().stop();
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (w->inherits("Info")) {
            w->close();
        }
    }
    h.find<QScrollBar>("Vol1")->setValue(kWave);
    h.find<QScrollBar>("HSVolumeMp3")->setValue(kMp3);
    while (h.window().state().QuartiRimasti > 0) {
        h.advance(500);
    }
    // Filter 5 is none of those the cases choose: the filter keys can be told apart
    // from nothing.
    h.window().controls().Filtro[5]->click();
}

Effect seen(Harness& h) {
    if (!h.grooves().performerPath().isEmpty()) {
        return Effect::GrooveStarts;
    }
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (w->inherits("Info") && w->isVisible()) {
            return Effect::AboutOpens;
        }
    }
    const int wave = h.find<QScrollBar>("Vol1")->value();
    const int mp3 = h.find<QScrollBar>("HSVolumeMp3")->value();
    const auto& filters = h.window().controls().Filtro;
    if (wave > kWave) {
        return Effect::WaveUp;
    }
    if (wave < kWave) {
        return Effect::WaveDown;
    }
    if (mp3 > kMp3) {
        return Effect::Mp3Up;
    }
    if (mp3 < kMp3) {
        return Effect::Mp3Down;
    }
    if (h.window().state().QuartiRimasti > 0) {
        return Effect::CountIn;
    }
    if (filters[0]->isChecked()) {
        return Effect::Filter0;
    }
    if (filters[1]->isChecked()) {
        return Effect::Filter1;
    }
    if (filters[8]->isChecked()) {
        return Effect::Filter8;
    }
    return Effect::Nothing;
}

const char* name(Effect e) {
    switch (e) {
        case Effect::WaveUp:
            return "groove volume up";
        case Effect::Mp3Up:
            return "MP3 volume up";
        case Effect::WaveDown:
            return "groove volume down";
        case Effect::Mp3Down:
            return "MP3 volume down";
        case Effect::CountIn:
            return "count-in restarted";
        case Effect::Filter0:
            return "filter 0";
        case Effect::Filter1:
            return "filter 1";
        case Effect::Filter8:
            return "filter 8";
        case Effect::GrooveStarts:
            return "groove started";
        case Effect::AboutOpens:
            return "About box opened";
        case Effect::Nothing:
            return "nothing";
    }
    return "?";
}

}  // namespace LayoutKeys
