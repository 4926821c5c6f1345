#pragma once

#include <QString>
#include <Qt>
#include <vector>

class Harness;

// Keys of the main window's key table as a real keyboard sends them on the Italian
// and the US layout: the physical key (X keycode), what Qt makes of it there, the
// same keys as xdotool names them, and what the table should do with them. The
// harness tests send them as QKeyEvents carrying the keycode; the display-server
// test types them with xdotool under setxkbmap.
namespace LayoutKeys {

enum class Effect {
    WaveUp,
    Mp3Up,
    WaveDown,
    Mp3Down,
    CountIn,
    Filter0,
    Filter1,
    Filter8,
    GrooveStarts,
    AboutOpens,
    Nothing
};

struct Case {
    const char* layout;  // "it" or "us", as setxkbmap names it
    // e.g. "shift+plus"; null where xdotool would choose another key for the same
    // symbol (US "<" is also Shift with ",")
    const char* xdotool;
    quint32 keycode;  // X keycode: evdev code + 8
    int qtKey;        // the Qt key X11 gives on that layout
    Qt::KeyboardModifiers modifiers;
    const char* text;
    Effect effect;
    const char* what;  // for failure messages
};

// Every case of one layout.
std::vector<Case> cases(const QString& layout);

// Puts the controls the cases look at in a known state: both volumes mid-way, the
// count-in over, filter 5 chosen, no groove started and the About box closed. The program must be
// started, connected and have a song with a tempo prepared.
void settle(Harness& h);
// What the last key did, judged from the controls that settle() prepared.
Effect seen(Harness& h);

// A readable name of an effect.
const char* name(Effect e);

}  // namespace LayoutKeys
