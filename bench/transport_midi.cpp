// MIDI pedal to sound through the whole program on a real, paced audio device: a
// JACK server on the dummy driver, the program's audio engine playing on it through
// PortAudio and its MIDI pedal box listening through RtMidi. The benchmark is its
// own JACK client: in one period it sends pedal 1's note from a MIDI port wired to
// the program, and it listens to the program's audio output for the first audible
// sample. The press can sound one period later at the earliest (the period in which
// it arrives is already rendered): the figures are what the program adds beyond
// that period. Compare with bench_transport_latency (the parallel box, which waits
// for its poll).
//
//   bench_transport_midi [PRESSES [PERIOD [RATE [BUFFER]]]] [--quiet] [--load] [--stall]
//       one JACK server at PERIOD frames and RATE Hz (100 presses, 256 frames,
//       44100 Hz unless given; the audio buffer as a user who never chose one has it,
//       which follows the server's period, unless BUFFER gives one), one row per
//       machine asked for (quiet by default):
//       --quiet  nothing else runs on purpose
//       --load   every core kept busy by a spinning thread at normal priority
//       --stall  the GUI thread asleep for 500 ms at random moments
//       --realtime  the JACK server at real-time priority, as a stage machine runs it
//                   (by default it runs without, which works on any machine)
//   bench_transport_midi --table [PRESSES] [--realtime]
//       all three machines at 64, 128 and 256 frames and 44.1 and 48 kHz (1000
//       presses each unless given), a fresh JACK server and program per period and
//       rate; each row is printed as soon as it is measured.
//
// The foot plays on a thread of its own (press_driver.h); the GUI thread runs the
// program's event loop as the program does. Each row also counts the cycles the JACK
// server saw a client late for, this benchmark's own included: without real-time
// priority on a busy machine a late client loses that cycle's MIDI, and a release
// lost so makes the next press no press at all.
#include <QApplication>
#include <QEventLoop>
#include <QProcess>
#include <QPushButton>
#include <QStandardPaths>
#include <QStringList>
#include <QTest>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <memory>
#include <optional>
#include <thread>

#include "app/audio.h"
#include "app/startup.h"
#include "config/configdata.h"
#include "cpu_load.h"
#include "gui_stall.h"
#include "jack_pedal_client.h"
#include "jack_server.h"
#include "library/songgrid.h"
#include "pedals/midipedalbox.h"
#include "pedals/pedalsetup.h"
#include "platform/realclock.h"
#include "playback/audioengine.h"
#include "playback/enginegroovesound.h"
#include "playback/enginemediaplayer.h"
#include "playback/wavevolumebinder.h"
#include "press_driver.h"
#include "show/showthread.h"
#include "support/harness.h"
#include "support/testlibrary.h"

namespace {

enum class Machine { Quiet, Loaded, Stalled };

const char* machineName(Machine m) {
    switch (m) {
        case Machine::Quiet:
            return "quiet";
        case Machine::Loaded:
            return "every core busy";
        case Machine::Stalled:
            return "GUI stalled 500 ms";
    }
    return "";
}

struct Options {
    int presses = 100;
    int period = 256;
    int rate = 44100;
    int buffer = -1;  // the audio buffer; -1: the configuration's default (0 automatic)
    std::vector<Machine> machines;
    bool table = false;
    bool header = true;  // off in the table's own runs: the table prints it once
    bool realTime = false;
};

Options parse(const QStringList& args) {
    Options o;
    QStringList numbers;
    for (const QString& a : args) {
        if (a == QLatin1String("--table")) {
            o.table = true;
            o.presses = 1000;
        } else if (a == QLatin1String("--quiet")) {
            o.machines.push_back(Machine::Quiet);
        } else if (a == QLatin1String("--load")) {
            o.machines.push_back(Machine::Loaded);
        } else if (a == QLatin1String("--stall")) {
            o.machines.push_back(Machine::Stalled);
        } else if (a == QLatin1String("--no-header")) {
            o.header = false;
        } else if (a == QLatin1String("--realtime")) {
            o.realTime = true;
        } else {
            numbers << a;
        }
    }
    if (!numbers.isEmpty()) {
        o.presses = std::max(10, numbers[0].toInt());
    }
    if (numbers.size() > 1) {
        o.period = std::clamp(numbers[1].toInt(), 16, 4096);
    }
    if (numbers.size() > 2) {
        o.rate = std::clamp(numbers[2].toInt(), 8000, 192000);
    }
    if (numbers.size() > 3) {
        o.buffer = std::max(0, numbers[3].toInt());
    }
    if (o.machines.empty()) {
        o.machines.push_back(Machine::Quiet);
    }
    return o;
}

// Each period and rate in a process of its own, so that PortAudio and RtMidi meet
// a fresh JACK server; the rows come out as the runs print them.
int runTable(const QString& self, int presses, bool realTime) {
    PressFigures::printHeader();
    for (int rate : {44100, 48000}) {
        for (int period : {64, 128, 256}) {
            QProcess run;
            run.setProcessChannelMode(QProcess::ForwardedChannels);
            QStringList args{QString::number(presses),     QString::number(period),
                             QString::number(rate),        QStringLiteral("--quiet"),
                             QStringLiteral("--load"),     QStringLiteral("--stall"),
                             QStringLiteral("--no-header")};
            if (realTime) {
                args << QStringLiteral("--realtime");
            }
            run.start(self, args);
            if (!run.waitForStarted(10000) || !run.waitForFinished(-1) || run.exitCode() != 0) {
                std::printf("| %d frames | %.1f kHz | the run failed |\n", period, rate / 1000.0);
                std::fflush(stdout);
            }
        }
    }
    return 0;
}

void runEvents(int ms) {
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
    while (std::chrono::steady_clock::now() < end) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
}

// One case: the foot plays on its own thread while the GUI thread runs the
// program's event loop, busy cores or stalls around it as the machine asks. A lost
// press is told on the GUI thread, with what the pedal box heard last.
bool runCase(JackPedalClient& jack, const PortIo& box, const Options& o, Machine machine,
             unsigned seed) {
    const double load = CpuLoad::loadAverage();
    std::optional<CpuLoad> busy;
    if (machine == Machine::Loaded) {
        busy.emplace();
    }
    std::unique_ptr<GuiStall> stall;
    if (machine == Machine::Stalled) {
        stall = std::make_unique<GuiStall>(500, 250, 1750, seed);
    }
    const GuiStall* stalls = stall.get();
    QEventLoop loop;
    auto tell = [&loop, &box](const std::string& line) {
        QMetaObject::invokeMethod(
            &loop,
            [line, &box] {
                std::fprintf(stderr, "%s (the box heard last: %s)\n", line.c_str(),
                             qPrintable(box.recentEvents().join(QStringLiteral(" / "))));
            },
            Qt::QueuedConnection);
    };
    PressDriver driver(
        jack, o.period, o.rate, [stalls] { return stalls != nullptr && stalls->stalled(); }, tell,
        PressDriver::Timing{});
    PressFigures figures;
    const int xrunsBefore = jack.xruns();
    std::thread foot([&] {
        figures = driver.run(o.presses);
        figures.xruns = jack.xruns() - xrunsBefore;
        QMetaObject::invokeMethod(&loop, &QEventLoop::quit, Qt::QueuedConnection);
    });
    loop.exec();
    foot.join();
    const int stallCount = stall ? stall->count() : -1;
    stall.reset();
    busy.reset();
    const std::string name =
        std::string(machineName(machine)) + (o.realTime ? ", JACK real-time" : "");
    figures.printRow(o.period, o.rate, name.c_str(), load, stallCount);
    if (!driver.error().empty()) {
        std::printf("stopped after %d presses: %s\n", figures.presses(), driver.error().c_str());
        std::fflush(stdout);
        return false;
    }
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const Options o = parse(app.arguments().mid(1));
    if (o.table) {
        return runTable(QCoreApplication::applicationFilePath(), o.presses, o.realTime);
    }
    QProcess jackd;
    if (!startJack(jackd, QStringLiteral("quintora_bench_%1").arg(getpid()), o.period, o.rate,
                   o.realTime)) {
        std::printf("skipped: no JACK dummy server\n");
        return 0;
    }
    MidiSystem::setPreferred(MidiSystem::Api::Jack);
    JackPedalClient jack;
    if (!jack.open("Pedaliera_bench")) {
        std::printf("skipped: the JACK server takes no client\n");
        return 0;
    }
    bool ok = true;
    {
        Harness files(Harness::Sound::Recording);  // the library and its settings
        TestLibrary::install(files);
        RealClock clock;
        AudioOptions options;
        options.bufferFrames = o.buffer >= 0 ? o.buffer : int(ConfigData().bufferFrames.toNumber());
        std::unique_ptr<AudioEngine> engine = engineOnJack(options);
        if (!engine) {
            return 0;
        }
        engine->setClock(clock);
        // As in the program: the show core, its pedal box and the groove hand-over on
        // a thread of their own.
        ShowThread show;
        EngineGrooveSound grooves(*engine);
        grooves.moveToThread(show.thread());
        EngineMediaPlayer player(*engine, &clock);
        WaveVolume volume;
        WaveVolumeBinder binder(volume, *engine);
        PedalSetup setup =
            PedalSetup::parse(QStringLiteral("midi:Pedaliera_bench:pedals|p1=n1.60"));
        MidiPedalBox box(setup, clock, MidiSystem::Api::Jack);
        box.moveToThread(show.thread());
        Services services{clock,       files.prompter, box,
                          player,      grooves,        volume,
                          files.files, files.launcher, files.configPath()};
        services.showThread = &show;
        auto w = std::make_unique<Audio>(services);
        Startup(*w).run();
        w->show();
        jack.hearProgram();
        const SharedState& st = w->state();
        // A short lock-out: more presses a second.
        w->setIntervals(st.IntervalloPedali, st.IntervalloMute, st.IntervalloBuffer, 50);
        w->findChild<QPushButton*>(QStringLiteral("Collega"))->click();
        for (int key : {int(Qt::Key_F8), int(Qt::Key_A), int(Qt::Key_L), int(Qt::Key_Escape)}) {
            QTest::keyClick(w->controls().DBGrid1, Qt::Key(key));
        }
        runEvents(1500);
        if (o.header) {
            PressFigures::printHeader();
        }
        unsigned seed = unsigned(o.period) * 7919u + unsigned(o.rate);
        for (Machine m : o.machines) {
            ok = ok && runCase(jack, box, o, m, seed++);
        }
        w->findChild<QPushButton*>(QStringLiteral("Scollega"))->click();
        w.reset();
        QThread* here = QThread::currentThread();
        show.call([&] {
            box.moveToThread(here);
            grooves.moveToThread(here);
        });
    }
    jack.close();
    jackd.terminate();
    jackd.waitForFinished(3000);
    return ok ? 0 : 1;
}
