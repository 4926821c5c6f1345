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
//                                    the pedals' messages (p1, p2; p3 "Successivo",
//                                    p4 "Precedente"; p5 "Pagina avanti", p6 "Pagina
//                                    indietro"; t1 to t6: a latching pedal, one
//                                    message per press), the four lamps' messages and
//                                    the port the lamps go out on
//   "keys|k1=16777239|k2=16777238"   a page-turner pedal: its keys (Qt key codes; k3
//                                    and k4 for "Successivo" and "Precedente", k5 and
//                                    k6 for "Pagina avanti" and "Pagina indietro")
// Names are stored with '%', '|', '"' and line breaks percent-encoded, so that any
// port name survives the file. Plain values: any thread.
struct PedalSetup {
    enum class Kind { Parallel, Virtual, Midi, Keys };

    Kind kind = Kind::Virtual;
    QString device;  // the parallel port device, or the MIDI input port's name
    // Pedal 1, pedal 2, then the pedals that prepare the next and the previous song,
    // then those that turn the songbook's page on the stage.
    static constexpr int kNext = 2;
    static constexpr int kPrevious = 3;
    static constexpr int kPageForward = 4;
    static constexpr int kPageBack = 5;
    static constexpr int kPedals = 6;
    std::array<MidiBinding, kPedals> pedals{};
    std::array<bool, kPedals> latching{};
    // The lamps of values 1 (pedal 1), 2 (pedal 2), 4 (tempo) and 8 (interface on).
    std::array<MidiBinding, 4> lamps{};
    QString lampPort;                 // the MIDI output port for the lamps; empty: none
    std::array<int, kPedals> keys{};  // Qt::Key codes of the page-turner; 0: not taught

    bool operator==(const PedalSetup&) const = default;

    static PedalSetup parse(const QString& text);
    QString toText() const;

    // The kind's entry as "--port" and the list of pedal boxes give it: "keys",
    // "midi:NAME", a device path or "virtual", without what was taught.
    QString kindText() const;

    static inline const QString kMidiPrefix = QStringLiteral("midi:");
    static inline const QString kKeys = QStringLiteral("keys");

    // The step a pedal of this index asks for: +1 "Successivo", -1 "Precedente", 0 for
    // pedals 1 and 2.
    static int stepOf(int pedal) { return pedal == kNext ? 1 : pedal == kPrevious ? -1 : 0; }
    // The page a pedal of this index turns to: +1 "Pagina avanti", -1 "Pagina
    // indietro", 0 for the others.
    static int pageOf(int pedal) { return pedal == kPageForward ? 1 : pedal == kPageBack ? -1 : 0; }
    // Whether the pedal of this index is pedal 1 or 2 (the transport's status bits).
    static bool isTransport(int pedal) { return pedal < kNext; }
};
