#pragma once

#include <array>

class ColorSwatch;
class DeviceFrame;
class FolderFrame;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class SongbookFrame;
class StageFrame;

// The controls of the settings dialog `Impspath`, under their own names. Built by
// ImpspathLayout; owned by the dialog (Qt parent-child).
struct ImpspathControls {
    QLabel* Tit1 = nullptr;

    // "Timer interni (mSec) ": intervals of the main tick, the pre-mute, the preload
    // buffer and the pedal lock-out.
    QLineEdit* TextPed = nullptr;
    QLineEdit* TextMute = nullptr;
    QLineEdit* TextBuffer = nullptr;
    QLineEdit* TextIstrs = nullptr;

    // "Metronomo Audio ".
    QLineEdit* TextFreq = nullptr;
    QLineEdit* TextDurat = nullptr;
    QComboBox* Quarti = nullptr;
    QCheckBox* CheckMetro = nullptr;

    // "Colori tabelle ": back and text colours of the left and right grid, and the font.
    ColorSwatch* PictBack = nullptr;
    ColorSwatch* PictFore = nullptr;
    ColorSwatch* PictBack1 = nullptr;
    ColorSwatch* PictFore1 = nullptr;
    QPushButton* ApriFont = nullptr;

    // "Colonne ": the grid columns shown, and "Applica".
    QCheckBox* Pag = nullptr;
    QCheckBox* Cap = nullptr;
    QCheckBox* Bpm = nullptr;
    QCheckBox* Lop = nullptr;
    QCheckBox* Grv1 = nullptr;
    QCheckBox* Grv2 = nullptr;
    QCheckBox* Aut = nullptr;
    QPushButton* Applica = nullptr;

    // "Path Audio ": the working folder and the ten MP3 folders.
    FolderFrame* folders = nullptr;
    // The sound output and the pedal interface.
    DeviceFrame* devices = nullptr;
    // "Palco ": the next song cued while one plays, the count-in click.
    StageFrame* stage = nullptr;
    // "Canzonieri": the PDF songbooks and where the stage view shows their pages.
    SongbookFrame* songbooks = nullptr;

    QPushButton* ComDefault = nullptr;
    QPushButton* Esci = nullptr;
};
