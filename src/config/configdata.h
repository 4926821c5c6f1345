#pragma once

#include <array>

#include "config/value.h"

// Everything the configuration file holds, as plain values that may be unset.
// A default-constructed ConfigData holds the defaults of a missing or unreadable
// field; the layouts without column flags or widths leave those as the reader
// says (see ConfigCodec). Field names follow the shared state where the program
// has one (MetroFreq, Quarti, CartelleMp3, MostraPagina, LargTitoli, ...).
struct ConfigData {
    // Line 1: the version tag as read ("2.5", "2.7", "2.8"), unset for the untagged
    // layout. The writer always writes "2.8" whatever it holds.
    Value version = "2.8";
    // Line 2: the working folder, ending in the separator; unset until chosen.
    Value PathLavoro;

    // Line 3: metronome frequency (Hz), duration (ms), audio on (1 / 0), beats
    // of the tempo lamp (4, 6, 8, 10, 12, 16, or -1 for a fixed lamp).
    Value MetroFreq = 5000;
    Value MetroDurata = 50;
    Value MetroAudio = 1;
    Value Quarti = 4;

    // Line 4: the song grids' font.
    Value fontName = "MS Sans Serif";
    Value fontSize = 10;  // points; stored with at most four decimals
    Value fontBold = false;
    Value fontItalic = false;

    // Line 5: timer intervals in milliseconds, possibly with a fraction: the main
    // tick (HiResTimer1), the pre-mute (TmrPrePreload), the preload buffer
    // (TmrPreload) and the pedal lock-out (TmrIstrs).
    Value pedalInterval = 40;
    Value preMuteInterval = 200;
    Value bufferInterval = 700;
    Value debounceInterval = 500;

    // Line 6: grid colours, 0x00BBGGRR; the top bit set means a system colour.
    Value leftBackColor = 12648447;      // DBGrid1 back: pale yellow
    Value leftForeColor = -2147483641;   // DBGrid1 text: the system menu-text colour
    Value rightBackColor = 16377542;     // DBGrid2 back: pale blue
    Value rightForeColor = -2147483641;  // DBGrid2 text

    // Line 7: grid columns shown (-1) or hidden (0); unset counts as hidden.
    Value MostraPagina = -1;
    Value MostraCapotasto = -1;
    Value MostraBPM = -1;
    Value MostraLoop = 0;
    Value MostraGroove1 = 0;
    Value MostraGroove2 = 0;
    Value MostraAutore = -1;

    // Lines 8 to 17: the ten MP3 folders, each ending in the separator; empty text
    // for a cleared slot, unset for a slot never chosen.
    std::array<Value, 10> CartelleMp3;

    // Line 18: grid column widths in the grid's own unit; unset keeps the column's
    // own default width.
    Value LargTitoli = 170;
    Value LargPagina = 55;
    Value LargCapotasto = 41;
    Value LargBPM = 40;
    Value LargLoop = 40;
    Value LargGroove1 = 100;
    Value LargGroove2 = 100;
    Value LargAutore = 100;

    // Line 19, read and written by this program only: the audio output device's
    // name (empty text: the system's default device), the audio buffer in frames
    // (64 to 2048, or 0: automatic, the default of a file that never chose one) and
    // the pedal interface ("/dev/parport0", "virtual", ...).
    Value outputDevice = "";
    Value bufferFrames = kAutomaticBufferFrames;
    Value pedalInterface = "/dev/parport0";

    // Line 20, this program's own too: the stage settings. Esc marks the next song
    // while one sounds (-1) or prepares at once (0); where the count-in click
    // sounds (0 nowhere, 1 the main output, 2 output channels 3-4); its level, 0 to 100.
    Value cueWithoutStopping = 0;
    Value clickOutput = 0;
    Value clickLevel = 50;

    // Line 21, this program's own: the next song of the running order is prepared
    // by itself when the one that sounded ends (-1), or not (0).
    Value prepareNext = 0;

    // Line 22, this program's own: every song at one loudness (-1) or as its files
    // are (0), the loudness in LUFS, and the true peak in dBTP no gain goes above.
    Value levelOn = 0;
    Value levelTarget = -16;
    Value levelCeiling = -1;
    static constexpr double kMinLevelTarget = -40;
    static constexpr double kMaxLevelTarget = -5;
    static constexpr double kMinLevelCeiling = -12;

    // Line 23, this program's own: the beat clock ("Clock MIDI"). The MIDI outputs it
    // goes to as one text (PortListText; empty: no clock) and whether the tempo
    // lamp's count-in goes out as clock too (-1) or not (0).
    Value clockPorts = "";
    Value clockCountIn = 0;

    // Line 24, this program's own: after a crash the program is started again by
    // its watcher and what sounded sounds again from where it was (-1), or not (0).
    Value resumeSounding = 0;

    // Line 25, this program's own: the PDF songbooks ("Canzonieri") as one text
    // (SongbookListText; empty: no book), and where the stage view shows a song's page:
    // beside the song's texts (0) or instead of them (1).
    Value songbooks = "";
    Value pageArea = 0;

    // The longest list of ports a file may hold: far more ports than a stage has.
    static constexpr int kMaxPortListLength = 65536;

    // The longest timer interval a file may hold, in milliseconds (one hour), and
    // the longest text: a folder path at the file systems' own limit; no font or
    // device name comes near it.
    static constexpr double kMaxIntervalMs = 3600000;
    static constexpr int kMaxTextLength = 4096;

    // The buffer that follows a JACK server's period (and is 256 frames elsewhere).
    static constexpr int kAutomaticBufferFrames = 0;
    static constexpr int kMinBufferFrames = 64;
    static constexpr int kMaxBufferFrames = 2048;
};
