#pragma once

#include <QMainWindow>
#include <QPointer>
#include <memory>

#include "app/audiocontrols.h"
#include "app/services.h"
#include "config/sharedstate.h"

class AudioLevels;
class AudioLibrary;
class Diagnostica;
class HelpLauncher;
class Impspath;
class Info;
class Keyboard;
class PortIo;
class Shutdown;
class ShowBinding;
class ShowCore;
struct CoreState;
class SongPreparation;
class Verifiche;
class VolumeControls;
class MediaPlayer;
class WaveVolume;

// The main window `Audio`: created first, lives for the whole run, and owns every
// control, timer and data source that the rest of the program drives, together
// with the shared state. The procedures that act on them live in classes of their
// own (start-up, grids, transport, ...); this class builds and wires them.
// GUI thread only.
class Audio : public QMainWindow {
    Q_OBJECT
public:
    explicit Audio(const Services& services, QWidget* parent = nullptr);
    ~Audio() override;

    SharedState& state() { return state_; }
    AudioControls& controls() { return c_; }
    const Services& services() const { return services_; }
    PortIo& IO1() { return services_.port; }
    MediaPlayer& MediaPlayer1() { return services_.player; }
    WaveVolume& Volume1() { return services_.waveVolume; }

    // Procedures that start-up and the settings dialog run on the window.
    // The intervals (ms) of the main tick, the pre-mute, the preload buffer and the
    // pedal lock-out: kept in the shared state and handed to the show core.
    void setIntervals(double poll, double preMute, double buffer, double lockOut);
    void setGridFont(const QFont& font);
    // Back and text colour (stored colour values) of grid 1 (DBGrid1) or 2 (DBGrid2).
    void setGridColors(int grid, qint64 back, qint64 fore);
    void setFilterCaption(int slot, const QString& caption);
    // Fills CmbScalette with the seven lists, chooses the first and reloads Data1.
    void fillListChooser();
    void aggiornaDBG();
    void aggiornaDBG2();
    // The settings dialog's defaults (Parametribase), loading the dialog hidden when
    // it is not loaded: the beats and the grid font take effect at once, the rest
    // shows when the dialog is opened and takes effect at its save.
    void parametribase();
    // Shows the settings dialog, modeless, loading it from the running program when
    // it is not loaded.
    void openSettings();
    // Shows the library check window, modeless.
    void openVerifiche();

    // The diagnostics panel: opened (shown, DiagAperta true), loaded hidden when
    // missing (clearing its delay log does that), or null when not loaded.
    void openDiagnostica();
    Diagnostica& diagnostica();
    Diagnostica* loadedDiagnostica() const;
    // Clears the panel's delay log, loading the panel hidden when it is not loaded.
    void clearRitardi();

    // The procedures of the other parts, owned here.
    SongPreparation& preparation() { return *preparation_; }
    // The show core (on a thread of its own in the program: the window gives it
    // commands and reads nothing from it), the copy of its state the window shows, and
    // the binding that hands it the window's settings.
    ShowCore& core() { return *core_; }
    const CoreState& showState() const;
    ShowBinding& showBinding() { return *binding_; }
    VolumeControls& volumes() { return *volumes_; }
    HelpLauncher& help() { return *help_; }
    Shutdown& shutdown() { return *shutdown_; }
    Keyboard& keyboard() { return *keyboard_; }

    AudioLibrary& library() { return *library_; }
    // Even loudness: the levelling on the window's library.
    AudioLevels& levels() { return *levels_; }
    // The stored colour values of a grid (1: DBGrid1, 2: DBGrid2).
    qint64 gridBackColor(int grid) const { return gridColors_[grid == 1 ? 0 : 2]; }
    qint64 gridForeColor(int grid) const { return gridColors_[grid == 1 ? 1 : 3]; }

    // Shows the About box, modeless (created on first use).
    void openInfo();
    // True once the user has confirmed leaving the program.
    bool isQuitting() const { return quitting_; }

    // The window's caption and the title of message boxes that have none of their own.
    static QString displayName();

signals:
    // The user confirmed leaving: the program ends at once, saving nothing.
    void quitConfirmed();
    // The settings dialog's values were taken (and the file written).
    void settingsSaved();

protected:
    void resizeEvent(QResizeEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void createCore();

    Services services_;
    SharedState state_;
    AudioControls c_;
    QPointer<Diagnostica> diagnostica_;
    QPointer<Info> info_;
    QPointer<Verifiche> verifiche_;
    QPointer<Impspath> impspath_;  // the settings dialog, while it is loaded
    std::unique_ptr<AudioLibrary> library_;
    ShowCore* core_ = nullptr;
    ShowBinding* binding_ = nullptr;
    std::unique_ptr<VolumeControls> volumes_;
    std::unique_ptr<SongPreparation> preparation_;
    std::unique_ptr<HelpLauncher> help_;
    std::unique_ptr<Shutdown> shutdown_;
    Keyboard* keyboard_ = nullptr;
    AudioLevels* levels_ = nullptr;
    bool quitting_ = false;
    qint64 gridColors_[4] = {12648447, -2147483641, 16377542, -2147483641};
};
