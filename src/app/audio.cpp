#include "app/audio.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QRadioButton>
#include <QResizeEvent>

#include "about/info.h"
#include "app/audiocommands.h"
#include "app/audioeditor.h"
#include "app/audiolayout.h"
#include "app/audiolevels.h"
#include "app/audiolibrary.h"
#include "app/audiomenu.h"
#include "app/audiosongbook.h"
#include "app/audiostage.h"
#include "app/diagnostica.h"
#include "app/helplauncher.h"
#include "app/impspath.h"
#include "app/keyboard.h"
#include "app/resizerule.h"
#include "app/showbinding.h"
#include "app/shutdown.h"
#include "app/songpreparation.h"
#include "app/volumecontrols.h"
#include "beatclock/beatclock.h"
#include "gear/gearsender.h"
#include "library/aggiornadbg.h"
#include "library/datasource.h"
#include "library/librarywriter.h"
#include "library/listchooser.h"
#include "library/songgrid.h"
#include "library/verifiche.h"
#include "pedals/portio.h"
#include "platform/hirestimer.h"
#include "platform/wincolor.h"
#include "playback/outputwatch.h"
#include "playback/stopendstyle.h"
#include "remote/pedalnotice.h"
#include "show/showcore.h"
#include "show/showthread.h"

Audio::Audio(const Services& services, QWidget* parent) : QMainWindow(parent), services_(services) {
    setObjectName(QStringLiteral("Audio"));
    setWindowTitle(displayName());
    AudioMenu::build(*this, c_);
    AudioLayout::build(*this, c_);
    createCore();
    c_.Data1 = new DataSource(QStringLiteral("Data1"), this);
    c_.Data2 = new DataSource(QStringLiteral("Data2"), this);
    c_.Data1->setFileProbe(&services_.files);
    c_.Data2->setFileProbe(&services_.files);
    library_ = std::make_unique<AudioLibrary>(*this);
    setGridColors(1, gridColors_[0], gridColors_[1]);
    setGridColors(2, gridColors_[2], gridColors_[3]);
    binding_ = new ShowBinding(*this);
    volumes_ = std::make_unique<VolumeControls>(*this);
    preparation_ = std::make_unique<SongPreparation>(*this);
    help_ = std::make_unique<HelpLauncher>(*this);
    shutdown_ = std::make_unique<Shutdown>(*this);
    StopendStyle::attach(*c_.Stopend);
    AudioCommands::wire(*this);
    auto* editor = new AudioEditor(*this);
    levels_ = new AudioLevels(*this, editor->writer());
    keyboard_ = new Keyboard(*this);
    auto* stage = new AudioStage(*this);
    // A song's book chosen in the song dialog: the page on the stand follows.
    connect(&editor->writer(), &LibraryWriter::songBookChanged, &stage->songbook(),
            &AudioSongbook::settingsChanged);
    // What the pedal box has to say mid-show goes to a line of the window, never
    // to a message box that would take the pedal keys.
    auto* notice = new PedalNotice(*this, services_.clock);
    connect(&services_.port, &PortIo::notice, notice, &PedalNotice::show);
    connect(stage, &AudioStage::notice, notice, &PedalNotice::show);
    if (OutputWatch* watch = services_.outputWatch) {
        connect(watch, &OutputWatch::changed, notice, &PedalNotice::show);
    }
    if (GearSender* gear = services_.gear) {
        // The song's messages are handed over from the show's own thread the moment
        // it is prepared, whoever prepared it.
        ShowCore* core = core_;
        connect(
            core, &ShowCore::prepared, gear, [core, gear] { gear->sendSong(core->gearMessages()); },
            Qt::DirectConnection);
    }
    if (BeatClock* clock = services_.beatClock) {
        // The tempo, too, is taken on the show's thread the moment the song is ready.
        ShowCore* core = core_;
        connect(
            core, &ShowCore::prepared, clock,
            [core, clock] { clock->songPrepared(core->state().Bpm, core->state().QuartiRimasti); },
            Qt::DirectConnection);
    }
    resize(ResizeRule::kWidth, ResizeRule::kMinHeight + 40);
}

Audio::~Audio() {
    // The levelling keeps its last measures through the library writer: it goes
    // while the writer is still there.
    delete levels_;
    levels_ = nullptr;
    // The panels refer to the window: let them go first.
    delete diagnostica_.data();
    delete info_.data();
    delete impspath_.data();
    if (services_.showThread) {
        // A core of its own thread goes there, its timers with it.
        services_.showThread->call([this] { delete core_; });
        core_ = nullptr;
    }
}

QString Audio::displayName() {
    return QStringLiteral("Quintora");
}

void Audio::createCore() {
    const CoreServices core{services_.clock,  services_.port,       services_.grooves,
                            services_.player, services_.waveVolume, services_.files,
                            services_.click};
    if (services_.showThread) {
        // Made on its thread, so that its timers run there.
        services_.showThread->call([this, &core] { core_ = new ShowCore(core); });
    } else {
        core_ = new ShowCore(core, this);
    }
    c_.HiResTimer1 = &core_->pollTimer();
    c_.TmrIstrs = &core_->lockOutTimer();
    c_.TmrBpmOn = &core_->beatTimer();
    c_.TmrBpmOff = &core_->beatOffTimer();
    c_.TmrPrePreload = &core_->preMuteTimer();
    c_.TmrPreload = &core_->bufferTimer();
}

void Audio::setIntervals(double poll, double preMute, double buffer, double lockOut) {
    state_.IntervalloPedali = poll;
    state_.IntervalloMute = preMute;
    state_.IntervalloBuffer = buffer;
    state_.IntervalloIstrs = lockOut;
    core_->setIntervals(poll, preMute, buffer, lockOut);
}

const CoreState& Audio::showState() const {
    return state_;
}

void Audio::resizeEvent(QResizeEvent* event) {
    QMainWindow::resizeEvent(event);
    if (isMinimized()) {
        return;
    }
    const QSize wanted = ResizeRule::apply(event->size());
    if (wanted != event->size()) {
        resize(wanted);
    }
}

void Audio::setGridFont(const QFont& font) {
    c_.DBGrid1->setGridFont(font);
    c_.DBGrid2->setGridFont(font);
}

void Audio::setGridColors(int grid, qint64 back, qint64 fore) {
    SongGrid* g = grid == 1 ? c_.DBGrid1 : c_.DBGrid2;
    gridColors_[grid == 1 ? 0 : 2] = back;
    gridColors_[grid == 1 ? 1 : 3] = fore;
    g->setBackColor(WinColor::toQColor(back));
    g->setForeColor(WinColor::toQColor(fore));
}

void Audio::setFilterCaption(int slot, const QString& caption) {
    if (slot >= 0 && slot < int(c_.Filtro.size())) {
        c_.Filtro[slot]->setText(caption);
    }
}

// The list chooser's selection of the first entry reloads Data1 already: the
// refresh that follows it at start-up would only read the same rows again.
void Audio::fillListChooser() {
    library_->lists().reset();
}

void Audio::aggiornaDBG() {
    library_->aggiornaDBG().run();
}

void Audio::aggiornaDBG2() {
    library_->aggiornaDBG2().run();
}

namespace {

// The settings dialog, loaded (hidden) when it is not: a dialog that has accepted
// its close is on its way out and counts as not loaded.
Impspath& loadedSettings(Audio& window, QPointer<Impspath>& dialog) {
    if (!dialog || dialog->isClosing()) {
        dialog = new Impspath(window, &window);
        QObject::connect(dialog.data(), &Impspath::quitRequested, &window, &Audio::quitConfirmed);
    }
    return *dialog;
}

}  // namespace

void Audio::parametribase() {
    loadedSettings(*this, impspath_).Parametribase();
}

void Audio::openSettings() {
    Impspath& dialog = loadedSettings(*this, impspath_);
    dialog.show();
    dialog.raise();
    dialog.activateWindow();
}

void Audio::openVerifiche() {
    if (!verifiche_) {
        verifiche_ = new Verifiche(state_, *c_.Data1, services_.prompter, this);
        if (GearSender* gear = services_.gear) {
            verifiche_->setGearPorts([gear] { return gear->ports(); });
        }
        AudioLevels* levels = levels_;
        verifiche_->setLoudness([levels] { return levels->checkLibrary(); });
    }
    verifiche_->show();
    verifiche_->raise();
}

Diagnostica& Audio::diagnostica() {
    if (!diagnostica_) {
        diagnostica_ = new Diagnostica(*this, this);
    }
    return *diagnostica_;
}

Diagnostica* Audio::loadedDiagnostica() const {
    return diagnostica_.data();
}

void Audio::openDiagnostica() {
    state_.DiagAperta = true;
    core_->setDiagnosticsOpen(true);
    Diagnostica& d = diagnostica();
    d.show();
    d.raise();
}

void Audio::clearRitardi() {
    diagnostica().clearRitardi();
}

void Audio::openInfo() {
    if (!info_) {
        info_ = new Info(services_.launcher, services_.prompter, this);
    }
    info_->show();
    info_->raise();
}

void Audio::closeEvent(QCloseEvent* event) {
    if (quitting_ || shutdown_->confirmClose()) {
        quitting_ = true;
        event->accept();
        emit quitConfirmed();
        return;
    }
    event->ignore();
}
