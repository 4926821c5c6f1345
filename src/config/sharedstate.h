#pragma once

#include <QList>
#include <QString>
#include <array>
#include <cstdint>

#include "config/corestate.h"
#include "config/value.h"
#include "songbook/songbook.h"

// The variables that several parts of the program read and write, under the names
// the program's documents use. One instance lives for the whole run, owned by the
// main window and handed by reference to the classes that need it. GUI thread only.
// Values after construction are those of the start-up sequence before the
// configuration file is read; "unset" values are those never assigned. Its transport
// part (CoreState) is the copy of the show core's state the window last received:
// the core alone changes it.
struct SharedState : CoreState {
    bool DiagAperta = false;  // the diagnostics panel is open

    // Folders: full paths ending in the separator, or empty.
    QString PathLavoro;
    std::array<Value, 10> CartelleMp3;
    QString PathAppoggio;  // scratch path

    // The intervals of the main tick, the pre-mute, the preload buffer and the pedal
    // lock-out (ms), as last set: the show core's timers run at them.
    double IntervalloPedali = 40, IntervalloMute = 200, IntervalloBuffer = 700,
           IntervalloIstrs = 500;

    // Tempo lamp and metronome settings.
    Value MetroFreq = 5000;
    Value MetroDurata = 50;
    std::int16_t MetroAudio = 1;  // 1 when "Metron. Audio" is ticked
    std::int16_t Quarti = 4;      // beats the tempo lamp gives after a song is prepared; -1 fixed

    // The stage: Esc while something sounds marks the next song instead of
    // stopping ("Prepara senza fermare"); where the count-in's click sounds (0 nowhere,
    // 1 the main output, 2 output channels 3-4) and its level (0 to 100).
    bool PreparaSenzaFermare = false;
    int ClickUscita = 0;
    int ClickLivello = 50;
    // The next song of the running order is prepared by itself when the one that
    // sounded ends ("Prepara il successivo").
    bool PreparaSuccessivo = false;
    // After a crash the watcher starts the program again and what sounded sounds
    // again ("Riprendi suonando dopo un arresto").
    bool RiprendiSuonando = false;
    // The PDF songbooks ("Canzonieri"), the first one the book of every song that
    // names none, and where the stage view shows the song's page: beside the song's
    // texts (0) or instead of them (1).
    QList<Songbook> Canzonieri;
    int AreaPagina = 0;

    // Every song at one loudness ("Livella il volume"): the loudness in LUFS and the
    // true peak in dBTP that no gain goes above.
    bool LivellaVolume = false;
    double LivelloObiettivo = -16;
    double LivelloTetto = -1;

    // Grid columns: -1 shown, 0 hidden, unset hidden.
    Value MostraPagina, MostraCapotasto, MostraBPM, MostraLoop, MostraGroove1, MostraGroove2,
        MostraAutore;
    // Grid column widths, in the grid's own unit; unset keeps the column's default width.
    Value LargTitoli, LargPagina, LargCapotasto, LargBPM, LargLoop, LargGroove1, LargGroove2,
        LargAutore;

    // The column widths' defaults of a normal start-up.
    void setDefaultWidths() {
        LargTitoli = 170;
        LargPagina = 55;
        LargCapotasto = 41;
        LargBPM = 40;
        LargLoop = 40;
        LargGroove1 = 100;
        LargGroove2 = 100;
        LargAutore = 100;
    }
};
