#pragma once

#include <QString>
#include <QStringList>
#include <array>
#include <cstdint>

#include "platform/wincolor.h"

// The lamps of the main window that show the transport, in the order the stage
// view lists them.
enum class ShowLamp { Connect, Pedal1, Pedal2, Preload, LockOut, Count };

// Everything the show core knows of the transport: what is prepared, what the
// pedals started, the lamps of the box and of the window. The core alone writes
// it; the windows see copies (ShowCore::changed), kept in the shared state.
struct CoreState {
    // Transport.
    bool Groove1Attivo = false;    // groove 1 (loop song) or the MP3 (MP3 song) is sounding
    bool Groove2Attivo = false;    // groove 2 is sounding
    bool Pedale1Gestito = false;   // the current press of pedal 1 was acted on
    bool Pedale2Gestito = false;   // the current press of pedal 2 was acted on
    std::int16_t UscitaPorta = 0;  // lamp bits last written to the pedal box
    float InizioGroove = 0;        // time of day (s) at which groove 1 last started
    bool Collegato = false;        // the pedal box is attached and polled
    bool boxAway = false;          // attached, but its device went away (it comes back by itself)

    // The prepared song.
    int prepared = 0;                          // songs prepared since start-up
    double Bpm = 0;                            // 0 when the song has no tempo
    bool LoopBrano = false;                    // a WAV-loop song (true) or an MP3 song (false)
    QString Groove1, Groove2;                  // file names of the song's grooves
    QString FileGroove1, FileGroove2;          // full paths of the WAV grooves, empty when none
    std::array<bool, 2> canSound{true, true};  // pedal 1 and 2 have a sound to start
    bool allFound = true;                      // every file of the song was found
    std::int16_t QuartiRimasti = 0;            // beats of the count-in still to give

    // The play list ("Stop dopo ogni brano" unticked): the switch, whether the user
    // may change it (not for a loop song) and the row of the running order whose
    // MP3 the player holds.
    bool stopAtEnd = true;
    bool stopAtEndFree = true;
    int playListRow = -1;

    std::array<std::int64_t, std::size_t(ShowLamp::Count)> lamps{
        WinColor::kRed, WinColor::kGrey, WinColor::kGrey, WinColor::kRed, WinColor::kLightGreen};
    std::int64_t lamp(ShowLamp l) const { return lamps[std::size_t(l)]; }

    // Rises with each copy the core publishes: a copy that arrives after a newer one
    // (the windows caught up with a command meanwhile) is stale.
    std::uint64_t publication = 0;

    bool operator==(const CoreState&) const = default;
};

// A song as the windows hand it to the core to be prepared: its fields and the
// paths of its files, looked up beforehand, and the running order it belongs to.
struct PreparedSong {
    QString groove1, groove2;  // as the library holds them (a lone blank is none)
    bool loop = false;
    double bpm = 0;                    // 0: no tempo
    QString fileGroove1, fileGroove2;  // the grooves' paths (loop song)
    QString mp3Path;                   // the MP3 found (MP3 song), empty when none
    std::array<bool, 2> canSound{true, true};
    bool allFound = true;
    // The first groove of every row of the running order, and the song's row in it:
    // the play list goes on from there.
    QStringList runningOrder;
    int row = -1;
};
