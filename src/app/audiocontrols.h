#pragma once

#include <array>

class QAction;
class QCheckBox;
class QComboBox;
class QFrame;
class QLabel;
class QMenu;
class QPushButton;
class QRadioButton;
class QScrollBar;
class QWidget;
class ClickableLabel;
class DataSource;
class HiResTimer;
class Lamp;
class SongGrid;

// The controls of the main window `Audio`, under their own names. Built by
// AudioLayout and AudioMenu; owned by the window (Qt parent-child).
struct AudioControls {
    // Song labels of the highlighted row, and the count.
    QLabel* Tit = nullptr;
    QLabel* Aut = nullptr;
    QLabel* Pag = nullptr;
    QLabel* Cap = nullptr;
    QLabel* Numsongs = nullptr;
    // The prepared song's files that are missing, in red under the song labels
    // (empty when all were found).
    QLabel* Mancante = nullptr;
    // The MP3's elapsed and remaining time while it plays, beside "Vol. MP3".
    QLabel* TempoMp3 = nullptr;
    // The song marked to be prepared when the sound stops ("Prossimo: ...").
    QLabel* Prossimo = nullptr;

    // Lists and grids.
    QComboBox* CmbScalette = nullptr;
    SongGrid* DBGrid1 = nullptr;
    SongGrid* DBGrid2 = nullptr;

    // Lamps.
    Lamp* LedConnect = nullptr;
    Lamp* LedPed1 = nullptr;
    Lamp* LedPed2 = nullptr;
    Lamp* LedIstrs = nullptr;
    Lamp* LedPreload = nullptr;

    // Transport and volumes.
    QCheckBox* Stopend = nullptr;
    QScrollBar* Vol1 = nullptr;
    QScrollBar* HSVolumeMp3 = nullptr;

    // Views and folder filters, with the panel that covers them.
    QFrame* FrameFiltri = nullptr;
    QRadioButton* VisTutto = nullptr;
    QRadioButton* VisLoop = nullptr;
    QRadioButton* VisMp3 = nullptr;
    std::array<QRadioButton*, 10> Filtro{};
    QWidget* Tappo = nullptr;

    // Buttons.
    QPushButton* Collega = nullptr;
    QPushButton* Scollega = nullptr;
    QPushButton* ButPath = nullptr;
    QPushButton* Utility = nullptr;
    QPushButton* Istruzioni = nullptr;
    QPushButton* DiagnosticaButt = nullptr;
    QPushButton* Esci = nullptr;
    ClickableLabel* Titolo = nullptr;

    // Timers.
    HiResTimer* HiResTimer1 = nullptr;    // main tick: polls the pedal box
    HiResTimer* TmrIstrs = nullptr;       // pedal lock-out, one shot
    HiResTimer* TmrBpmOn = nullptr;       // tempo lamp on, once a beat
    HiResTimer* TmrBpmOff = nullptr;      // tempo lamp off, one shot
    HiResTimer* TmrPrePreload = nullptr;  // preload: plays groove 1 muted, one shot
    HiResTimer* TmrPreload = nullptr;     // preload: stops it, restores the volume, one shot

    // Data sources of the two grids.
    DataSource* Data1 = nullptr;
    DataSource* Data2 = nullptr;

    // Menu bar.
    QMenu* Hard = nullptr;
    QMenu* Funz = nullptr;
    QMenu* Filtri = nullptr;
    QMenu* Helps = nullptr;
    QAction* MenuCollegaHW = nullptr;
    QAction* MenuScollegaHW = nullptr;
    QAction* MenuEsci = nullptr;
    QAction* MenuConf = nullptr;
    QAction* MenuVer = nullptr;
    QAction* MenuDiag = nullptr;
    QAction* MenuLoop = nullptr;
    QAction* MenuMp3 = nullptr;
    QAction* Menututto = nullptr;
    QAction* MenuHelp = nullptr;
    QAction* MenuInfo = nullptr;
    QAction* MenuPalco = nullptr;  // the stage view
};
