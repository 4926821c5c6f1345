#pragma once

#include <QString>
#include <array>

#include "pedals/midibinding.h"

// Which pedal box the program drives and how it was taught, as one text that the
// configuration file's last line keeps in its pedal field:
//   "/dev/parport0"                  a parallel port device
//   "virtual"                        the on-screen pedal box (also: empty)
//   "midi:NAME|p1=n1.60|p2=c1.65|t2=1|l1=n1.60|...|out=NAME"
//                                    a MIDI foot controller: its input port by name,
//                                    the two pedals' messages (t1/t2: a latching
//                                    pedal, one message per press), the four lamps'
//                                    messages and the port the lamps go out on
//   "keys|k1=16777239|k2=16777238"   a page-turner pedal: the two keys (Qt key codes)
// Names are stored with '%', '|', '"' and line breaks percent-encoded, so that any
// port name survives the file. Plain values: any thread.
struct PedalSetup {
    enum class Kind { Parallel, Virtual, Midi, Keys };

    Kind kind = Kind::Virtual;
    QString device;  // the parallel port device, or the MIDI input port's name
    std::array<MidiBinding, 2> pedals{};
    std::array<bool, 2> latching{false, false};
    // The lamps of values 1 (pedal 1), 2 (pedal 2), 4 (tempo) and 8 (interface on).
    std::array<MidiBinding, 4> lamps{};
    QString lampPort;               // the MIDI output port for the lamps; empty: none
    std::array<int, 2> keys{0, 0};  // Qt::Key codes of the page-turner; 0: not taught

    bool operator==(const PedalSetup&) const = default;

    static PedalSetup parse(const QString& text);
    QString toText() const;

    // The kind's entry as "--port" and the list of pedal boxes give it: "keys",
    // "midi:NAME", a device path or "virtual", without what was taught.
    QString kindText() const;

    static inline const QString kMidiPrefix = QStringLiteral("midi:");
    static inline const QString kKeys = QStringLiteral("keys");
};
