// MIDI pedal to sound through the whole program on a real, paced audio device: a
// JACK server on the dummy driver (44100 Hz and 256 frames unless the command line
// says `bench_transport_midi PRESSES PERIOD RATE [BUFFER]`), the program's audio
// engine playing on it through PortAudio and its MIDI pedal box listening through
// RtMidi. The audio buffer is the configuration's default (what a user who never
// chose one runs with) unless a fourth argument gives one (0: automatic). The benchmark is its own
// JACK client: in one period it sends pedal 1's note from a MIDI port wired to the program, and it
// listens to the program's audio output for the first audible sample. The press can sound one
// period later at the earliest (the period in which it arrives is already rendered): the figures
// are what the program adds beyond that period. Compare with bench_transport_latency (the parallel
// box, which waits for its poll).
#include <jack/jack.h>
#include <jack/midiport.h>

#include <QApplication>
#include <QProcess>
#include <QPushButton>
#include <QStandardPaths>
#include <QTest>
#include <algorithm>
#include <atomic>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <thread>
#include <vector>

#include "app/audio.h"
#include "app/startup.h"
#include "config/configdata.h"
#include "library/songgrid.h"
#include "pedals/midipedalbox.h"
#include "pedals/pedalsetup.h"
#include "pedals/portio.h"
#include "platform/hirestimer.h"
#include "platform/realclock.h"
#include "playback/audioengine.h"
#include "playback/enginegroovesound.h"
#include "playback/enginemediaplayer.h"
#include "playback/wavevolumebinder.h"
#include "show/maintick.h"
#include "show/showcore.h"
#include "support/harness.h"
#include "support/testlibrary.h"

namespace {

// The JACK server's period and rate.
int jackPeriod = 256;
int jackRate = 44100;
double framesPerMs = 44.1;

// The benchmark's JACK client: a MIDI output for the pedal, two audio inputs for
// the program's sound. Its process callback is the only code that runs on JACK's
// thread here.
struct Listener {
    jack_client_t* client = nullptr;
    jack_port_t* midi = nullptr;
    jack_port_t* in[2] = {nullptr, nullptr};
    std::atomic<int> send{-1};  // velocity to send in the next period (0: note off)
    std::atomic<bool> listening{false};
    std::atomic<std::int64_t> sentAt{-1};
    std::atomic<std::int64_t> heardAt{-1};

    // JACK's process thread: no allocation, no lock, no log.
    static int process(jack_nframes_t frames, void* self) {
        auto* me = static_cast<Listener*>(self);
        void* out = jack_port_get_buffer(me->midi, frames);
        jack_midi_clear_buffer(out);
        const std::int64_t start = jack_last_frame_time(me->client);
        const int velocity = me->send.exchange(-1);
        if (velocity >= 0) {
            jack_midi_data_t* m = jack_midi_event_reserve(out, 0, 3);
            if (m != nullptr) {
                m[0] = velocity > 0 ? 0x90 : 0x80;
                m[1] = 60;
                m[2] = jack_midi_data_t(velocity);
                me->sentAt.store(start);
            }
        }
        if (me->listening.load()) {
            for (int c = 0; c < 2; ++c) {
                const auto* s = static_cast<const float*>(jack_port_get_buffer(me->in[c], frames));
                for (jack_nframes_t i = 0; i < frames; ++i) {
                    if (std::fabs(s[i]) > 1e-4f) {
                        me->heardAt.store(start + i);
                        me->listening.store(false);
                        return 0;
                    }
                }
            }
        }
        return 0;
    }
};

double percentile(std::vector<double> v, double p) {
    std::sort(v.begin(), v.end());
    return v[std::min(v.size() - 1, std::size_t(std::floor(p * double(v.size() - 1) + 0.5)))];
}

void runEvents(int ms) {
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
    while (std::chrono::steady_clock::now() < end) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
}

bool startJack(QProcess& jackd, const QString& name) {
    const QString exe = QStandardPaths::findExecutable(QStringLiteral("jackd"));
    if (exe.isEmpty()) {
        return false;
    }
    jackd.start(exe, {"-n", name, "--no-realtime", "-d", "dummy", "-r", QString::number(jackRate),
                      "-p", QString::number(jackPeriod)});
    if (!jackd.waitForStarted(5000)) {
        return false;
    }
    QProcess wait;
    wait.start(QStandardPaths::findExecutable(QStringLiteral("jack_wait")),
               {"-s", name, "-w", "-t", "10"});
    wait.waitForFinished(15000);
    qputenv("JACK_DEFAULT_SERVER", name.toUtf8());
    qputenv("JACK_NO_START_SERVER", "1");
    return jackd.state() == QProcess::Running;
}

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const int presses = argc > 1 ? std::max(10, atoi(argv[1])) : 100;
    jackPeriod = argc > 2 ? std::clamp(atoi(argv[2]), 16, 4096) : jackPeriod;
    jackRate = argc > 3 ? std::clamp(atoi(argv[3]), 8000, 192000) : jackRate;
    const int buffer =
        argc > 4 ? std::max(0, atoi(argv[4])) : int(ConfigData().bufferFrames.toNumber());
    framesPerMs = jackRate / 1000.0;
    QProcess jackd;
    if (!startJack(jackd, QStringLiteral("quintora_bench_%1").arg(getpid()))) {
        std::printf("skipped: no JACK dummy server\n");
        return 0;
    }
    MidiSystem::setPreferred(MidiSystem::Api::Jack);
    Listener l;
    l.client = jack_client_open("Pedaliera_bench", JackNoStartServer, nullptr);
    if (l.client == nullptr) {
        std::printf("skipped: the JACK server takes no client\n");
        return 0;
    }
    l.midi = jack_port_register(l.client, "pedals", JACK_DEFAULT_MIDI_TYPE, JackPortIsOutput, 0);
    l.in[0] = jack_port_register(l.client, "in_1", JACK_DEFAULT_AUDIO_TYPE, JackPortIsInput, 0);
    l.in[1] = jack_port_register(l.client, "in_2", JACK_DEFAULT_AUDIO_TYPE, JackPortIsInput, 0);
    jack_set_process_callback(l.client, &Listener::process, &l);
    jack_activate(l.client);

    {
        Harness files(Harness::Sound::Recording);  // the library and its settings
        TestLibrary::install(files);
        RealClock clock;
        AudioOptions options;
        options.bufferFrames = buffer;
        std::unique_ptr<AudioEngine> engine;
        for (int attempt = 0; attempt < 40 && !engine; ++attempt) {
            engine = makeAudioEngine(options);
            if (!engine->errorText().isEmpty()) {
                engine.reset();
                std::this_thread::sleep_for(std::chrono::milliseconds(250));
            }
        }
        if (!engine) {
            std::printf("skipped: no PortAudio device on the JACK server\n");
            return 0;
        }
        engine->setClock(clock);
        EngineGrooveSound grooves(*engine);
        EngineMediaPlayer player(*engine, &clock);
        WaveVolume volume;
        WaveVolumeBinder binder(volume, *engine);
        PedalSetup setup =
            PedalSetup::parse(QStringLiteral("midi:Pedaliera_bench:pedals|p1=n1.60"));
        MidiPedalBox box(setup, clock, MidiSystem::Api::Jack);
        Services services{clock,       files.prompter, box,
                          player,      grooves,        volume,
                          files.files, files.launcher, files.configPath()};
        Audio w(services);
        Startup(w).run();
        w.show();
        // The program's sound into the benchmark's ears.
        const char** ports =
            jack_get_ports(l.client, nullptr, JACK_DEFAULT_AUDIO_TYPE, JackPortIsOutput);
        int wired = 0;
        for (int i = 0; ports != nullptr && ports[i] != nullptr && wired < 2; ++i) {
            if (QString::fromUtf8(ports[i]).startsWith(QLatin1String("system:"))) {
                continue;
            }
            jack_connect(l.client, ports[i], jack_port_name(l.in[wired++]));
        }
        jack_free(ports);
        w.controls().TmrIstrs->setInterval(50);  // a short lock-out: more presses a second
        w.findChild<QPushButton*>(QStringLiteral("Collega"))->click();
        for (int key : {int(Qt::Key_F8), int(Qt::Key_A), int(Qt::Key_L), int(Qt::Key_Escape)}) {
            QTest::keyClick(w.controls().DBGrid1, Qt::Key(key));
        }
        runEvents(1500);
        std::vector<double> beyond;
        int lost = 0;
        const SharedState& st = w.state();
        // Until the pedal is re-armed: the lock-out over and the release processed
        // (a release inside the lock-out counts at the first main tick after it).
        auto rearmed = [&] {
            const auto give = std::chrono::steady_clock::now() + std::chrono::seconds(2);
            while ((w.controls().TmrIstrs->isEnabled() ||
                    (w.core().mainTick().UltimoStato() & PortIo::kPedal1) != 0) &&
                   std::chrono::steady_clock::now() < give) {
                runEvents(2);
            }
        };
        // Sends one message and waits until JACK's thread has taken it.
        auto sendNow = [&](int velocity) {
            l.send.store(velocity);
            while (l.send.load() >= 0) {
                QCoreApplication::processEvents(QEventLoop::AllEvents, 1);
            }
        };
        for (int i = 0; i < presses; ++i) {
            rearmed();
            if (st.Groove1Attivo) {  // a press lost to a loaded machine: start again
                sendNow(100);
                runEvents(100);
                sendNow(0);
                continue;
            }
            l.heardAt.store(-1);
            l.sentAt.store(-1);
            l.listening.store(true);
            l.send.store(100);
            const auto give = std::chrono::steady_clock::now() + std::chrono::seconds(1);
            while (l.heardAt.load() < 0 && std::chrono::steady_clock::now() < give) {
                // Waits in the event loop as the program does, woken by the MIDI.
                QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 2);
            }
            l.listening.store(false);
            if (l.heardAt.load() < 0) {
                ++lost;
                std::printf("press %d not heard (playing %d, sent %lld, last %s)\n", i,
                            int(st.Groove1Attivo), (long long)l.sentAt.load(),
                            qPrintable(box.recentEvents().join(QStringLiteral(" / "))));
            } else {
                beyond.push_back(double(l.heardAt.load() - l.sentAt.load() - jackPeriod) /
                                 framesPerMs);
            }
            sendNow(0);
            runEvents(20);
            rearmed();
            sendNow(100);  // stops it
            runEvents(60);
            sendNow(0);
            runEvents(20);
        }
        if (beyond.empty()) {
            std::printf("no press was heard (%d lost)\n", lost);
        } else {
            std::printf(
                "MIDI pedal to first sample, JACK dummy at %d frames, %d Hz, buffer %d (%d in "
                "force): "
                "beyond one period "
                "median %.3f ms (%.0f frames), p99 %.3f ms (%.0f frames), worst %.3f ms; "
                "%zu presses, %d not heard; %.0f%% within 1 ms beyond the period\n",
                jackPeriod, jackRate, buffer, engine->periodFrames(), percentile(beyond, 0.5),
                percentile(beyond, 0.5) * framesPerMs, percentile(beyond, 0.99),
                percentile(beyond, 0.99) * framesPerMs, percentile(beyond, 1.0), beyond.size(),
                lost,
                100.0 *
                    double(std::count_if(beyond.begin(), beyond.end(),
                                         [](double ms) { return ms <= 1.0; })) /
                    double(beyond.size()));
        }
        w.findChild<QPushButton*>(QStringLiteral("Scollega"))->click();
    }
    jack_deactivate(l.client);
    jack_client_close(l.client);
    jackd.terminate();
    jackd.waitForFinished(3000);
    return 0;
}
