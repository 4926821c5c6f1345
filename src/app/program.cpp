#include "app/program.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QProgressDialog>
#include <QStandardPaths>

#include "app/audio.h"
#include "app/audioshow.h"
#include "app/showkeeper.h"
#include "app/startup.h"
#include "beatclock/beatclock.h"
#include "config/configcodec.h"
#include "config/configfile.h"
#include "config/configlocation.h"
#include "config/portlisttext.h"
#include "gear/gearsender.h"
#include "library/demolibrary.h"
#include "pedals/pedalboxes.h"
#include "pedals/pedalsetup.h"
#include "platform/foldername.h"
#include "platform/prompter.h"
#include "playback/audiodevices.h"
#include "playback/audioengine.h"
#include "playback/audiooptions.h"
#include "playback/engineclicksound.h"
#include "playback/enginegroovesound.h"
#include "playback/enginemediaplayer.h"
#include "playback/outputwatch.h"
#include "playback/wavevolumebinder.h"
#include "remote/pedalboxwindow.h"
#include "remote/ppdevport.h"
#include "remote/switchableport.h"
#include "remote/virtualpedalbox.h"
#include "show/pedalinterface.h"
#include "show/showcore.h"
#include "show/showthread.h"

namespace {

static_assert(ConfigData::kAutomaticBufferFrames == AudioOptions::kAutomaticFrames &&
                  DeviceSettings::kAutomaticFrames == AudioOptions::kAutomaticFrames,
              "the settings, the file and the engine mean the same by an automatic buffer");

QString demoFolder() {
    return FolderName::withSeparator(
        QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) +
        QStringLiteral("/Quintora/demo"));
}

}  // namespace

QString Program::configPathFor(const CommandLine& commandLine) {
    if (commandLine.demo && commandLine.configPath.isEmpty()) {
        return demoFolder() + QStringLiteral("Quintora.ini");
    }
    return ConfigLocation::fromOption(commandLine.configPath);
}

Program::Program(const CommandLine& commandLine) : cl_(commandLine) {
    configPath_ = configPathFor(cl_);
    if (cl_.demo) {
        prepareDemo();
    }
    // The audio and pedal settings come before the main window: read them here.
    ConfigData settings;
    const ConfigFile::ReadResult file = ConfigFile::read(configPath_);
    if (file.status == ConfigFile::Status::Ok) {
        settings = ConfigCodec::read(file.bytes).data;
    }
    stored_.outputDevice = settings.outputDevice.toText();
    // The codec brings any size but automatic into range.
    const int frames = int(settings.bufferFrames.toNumber());
    stored_.bufferFrames =
        frames >= ConfigData::kMinBufferFrames && frames <= ConfigData::kMaxBufferFrames
            ? frames
            : ConfigData::kAutomaticBufferFrames;
    stored_.pedalInterface = settings.pedalInterface.toText();
    stored_.channels = settings.clickOutput.toNumber() == 2 ? 4 : 2;
    // The codec keeps only a list it could read.
    stored_.clock.ports =
        PortListText::decode(settings.clockPorts.toText()).value_or(QStringList());
    stored_.clock.countIn = settings.clockCountIn.toNumber() != 0;
    QString port = cl_.port;
    if (port.isEmpty()) {
        port = cl_.demo ? DeviceControl::kVirtualPedals : stored_.pedalInterface;
    } else if (PedalSetup::parse(port).kindText() ==
               PedalSetup::parse(stored_.pedalInterface).kindText()) {
        // The box asked for is the one in the settings: with what it was taught.
        port = stored_.pedalInterface;
    }
    show_ = std::make_unique<ShowThread>();
    port_ = std::make_unique<SwitchablePort>(createPort(port, boxWindow_));
    // The port always lives where the show runs, so that what a box reports reaches
    // the core without passing through this thread.
    port_->moveToThread(show_->thread());
    toShowThread(*port_->backend());
    // The messages to other gear go out on a thread of their own, just below the
    // show: opening a device's port or a slow MIDI system never holds up a pedal.
    gearThread_ =
        std::make_unique<ShowThread>(QStringLiteral("GearThread"), ShowThread::kShowPriority - 1);
    gearThread_->call([this] { gear_ = std::make_unique<GearSender>(clock_); });
    createAudio(stored_.outputDevice, stored_.bufferFrames);
    if (stored_.channels > 2 && cl_.audioOut.isEmpty() &&
        !engine_->reopen(stored_.outputDevice, stored_.bufferFrames, stored_.channels)) {
        startError_ = engine_->errorText().isEmpty() ? monitorMissingText() : engine_->errorText();
    }
    beatClock_->setOptions(stored_.clock);
}

QString Program::monitorMissingText() {
    return QStringLiteral(
        "Il dispositivo audio non ha i canali 3-4: il click del conteggio non arriva agli "
        "auricolari. Il resto suona come sempre.");
}

Program::~Program() {
    // The window uses every service: it goes first, the engine last.
    keeper_.reset();
    boxWindow_.reset();
    window_.reset();
    // What lives on the show thread comes back before the thread ends.
    QThread* here = QThread::currentThread();
    show_->call([this, here] {
        port_->moveToThread(here);
        if (PortIo* box = port_->backend(); box && box->thread() != here) {
            box->moveToThread(here);
        }
        grooves_->moveToThread(here);
    });
    show_.reset();
    gearThread_->call([this] { gear_.reset(); });
    gearThread_.reset();
    beatClock_.reset();
    outputWatch_.reset();
    binder_.reset();
    player_.reset();
    grooves_.reset();
    engine_.reset();
}

std::unique_ptr<PortIo> Program::createPort(const QString& wanted,
                                            std::unique_ptr<PedalBoxWindow>& boxWindow) {
    if (std::unique_ptr<PortIo> box = PedalBoxes::create(wanted, clock_)) {
        boxWindow.reset();
        return box;
    }
    if (wanted.isEmpty() || wanted == DeviceControl::kVirtualPedals ||
        !PpdevPort::available(wanted)) {
        auto box = std::make_unique<VirtualPedalBox>();
        boxWindow = std::make_unique<PedalBoxWindow>(*box);
        return box;
    }
    boxWindow.reset();
    return std::make_unique<PpdevPort>(wanted);
}

void Program::toShowThread(PortIo& box) {
    if (!box.staysOnGuiThread()) {
        box.moveToThread(show_->thread());
    }
}

void Program::createAudio(const QString& device, int bufferFrames) {
    AudioOptions options;
    options.device = device;
    options.bufferFrames = bufferFrames;
    options.wavOutPath = cl_.audioOut;
    engine_ = makeAudioEngine(options);
    engine_->setClock(clock_);
    grooves_ = std::make_unique<EngineGrooveSound>(*engine_);
    // A groove decoded for a pedal starts from the show thread.
    grooves_->moveToThread(show_->thread());
    player_ = std::make_unique<EngineMediaPlayer>(*engine_, &clock_);
    binder_ = std::make_unique<WaveVolumeBinder>(volume_, *engine_);
    click_ = std::make_unique<EngineClickSound>(*engine_);
    AudioEngine* engine = engine_.get();
    beatClock_ = std::make_unique<BeatClock>(
        engine->timeline(), [engine] { return engine->outputJackClient(); }, clock_);
    outputWatch_ = std::make_unique<OutputWatch>(*engine_, clock_);
}

QStringList Program::outputDevices() const {
    return AudioDevices::outputNames();
}

int Program::outputChannels(const QString& device) const {
    return AudioDevices::outputChannels(device);
}

int Program::periodInForce() const {
    return engine_->periodInForce();
}

QStringList Program::midiOutputs() const {
    return gear_->ports();
}

QStringList Program::pedalPorts() const {
    QStringList ports;
    const QDir dev(QStringLiteral("/dev"));
    for (const QString& name :
         dev.entryList({QStringLiteral("parport*")}, QDir::System | QDir::Files, QDir::Name)) {
        ports << dev.filePath(name);
    }
    return ports + PedalBoxes::available();
}

void Program::apply(const DeviceSettings& settings) {
    const DeviceSettings before = stored_;
    stored_ = settings;
    if (settings.pedalInterface != before.pedalInterface) {
        switchPort(settings.pedalInterface);
    }
    if (settings.clock != before.clock) {
        beatClock_->setOptions(settings.clock);
    }
    if (settings.outputDevice == before.outputDevice &&
        settings.bufferFrames == before.bufferFrames && settings.channels == before.channels) {
        return;
    }
    if (!cl_.audioOut.isEmpty()) {
        // Playing into a file, as the command line asked: the device waits for the
        // next start.
        return;
    }
    if (!engine_->reopen(settings.outputDevice, settings.bufferFrames, settings.channels)) {
        prompter_.tell(engine_->errorText().isEmpty() ? monitorMissingText()
                                                      : engine_->errorText());
    }
    // The clock follows the engine to its new device at once.
    beatClock_->watch();
}

// The box is disconnected (its lamps dark, the sound stopped) before its port goes;
// the virtual box's window goes before the box it shows.
void Program::switchPort(const QString& wanted) {
    if (window_ && window_->state().Collegato) {
        window_->core().detach();
    }
    std::unique_ptr<PedalBoxWindow> boxWindow;
    std::unique_ptr<PortIo> backend = createPort(wanted, boxWindow);
    if (boxWindow && !wanted.isEmpty() && wanted != DeviceControl::kVirtualPedals) {
        prompter_.tell(QStringLiteral("La porta %1 non è disponibile: Quintora usa la "
                                      "pedaliera virtuale.")
                           .arg(wanted));
    }
    toShowThread(*backend);
    // Swapped where the core reads it, after the disconnection queued above; the old
    // box comes back here to be let go.
    std::unique_ptr<PortIo> old;
    QThread* here = QThread::currentThread();
    show_->call([this, here, &backend, &old] {
        old = port_->setBackend(std::move(backend));
        if (old && old->thread() != here) {
            old->moveToThread(here);
        }
    });
    boxWindow_ = std::move(boxWindow);
    old.reset();
    showBoxWindow();
}

void Program::showBoxWindow() {
    if (boxWindow_ && window_) {
        // Where the user last put it, kept beside the configuration file (whose own
        // layout stays as it is).
        const QString state =
            QFileInfo(configPath_).dir().filePath(QStringLiteral("QuintoraFinestre.ini"));
        boxWindow_->showBeside(*window_, state);
    }
}

// The demo keeps its own settings and library under the user's data folder and
// makes them on first use; the user's own settings are never touched.
void Program::prepareDemo() {
    const QString base = demoFolder();
    const QString work = base + QStringLiteral("Brani") + FolderName::separator();
    if (files_.hasExactName(configPath_) &&
        !files_.storedName(work + QStringLiteral("Songs.mdb")).isEmpty()) {
        return;
    }
    QProgressDialog busy(QStringLiteral("Preparazione della libreria dimostrativa..."), QString(),
                         0, 0);
    busy.setWindowTitle(QStringLiteral("Quintora"));
    busy.setMinimumDuration(0);
    busy.show();
    QCoreApplication::processEvents();
    const DemoLibrary::Result demo = DemoLibrary::create(work);
    busy.close();
    if (!demo.error.isEmpty()) {
        prompter_.tell(demo.error, QString(), Message::Icon::Critical);
        return;
    }
    if (files_.hasExactName(configPath_)) {
        return;
    }
    ConfigData settings;
    settings.PathLavoro = demo.pathLavoro;
    for (int i = 0; i < demo.cartelleMp3.size() && i < 10; ++i) {
        settings.CartelleMp3[i] = demo.cartelleMp3[i];
    }
    settings.pedalInterface = QStringLiteral("virtual");
    const QString error = ConfigFile::save(configPath_, settings);
    if (!error.isEmpty()) {
        prompter_.tell(error, QString(), Message::Icon::Critical);
    }
}

int Program::run() {
    Services services{clock_,  prompter_, *port_,    *player_,   *grooves_,
                      volume_, files_,    launcher_, configPath_};
    services.choosers = &choosers_;
    services.devices = this;
    services.click = click_.get();
    services.showThread = show_.get();
    services.gear = gear_.get();
    services.levels = engine_.get();
    services.beatClock = beatClock_.get();
    services.outputWatch = outputWatch_.get();
    window_ = std::make_unique<Audio>(services);
    QObject::connect(window_.get(), &Audio::quitConfirmed, qApp, &QApplication::quit,
                     Qt::QueuedConnection);
    const Startup::Branch branch = Startup(*window_).run();
    if (branch != Startup::Branch::FirstRun) {
        window_->show();
    }
    showBoxWindow();
    // After a crash the show comes back where it stood.
    keeper_ = AudioShow::makeKeeper(*window_, configPath_);
    keeper_->begin(branch);
    if (!engine_->errorText().isEmpty()) {
        prompter_.tell(engine_->errorText());
    } else if (!startError_.isEmpty()) {
        prompter_.tell(startError_);
    }
    return QApplication::exec();
}
