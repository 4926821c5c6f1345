// The beat clock's timing on a real, paced audio device: a JACK server on the dummy
// driver, the program's audio engine playing on it through PortAudio and its beat
// clock sending to the benchmark's own JACK client. The client hears the engine's
// output and the clock's messages, both in JACK's frames on JACK's thread. Grooves
// start and stop at random moments at random tempi; for each start it measures how
// far Start lies from the groove's first audible frame, and for each tick how far
// it lies from its ideal time (the first audible frame + n / 24 of a beat).
//
//   bench_beat_clock [SECONDS [PERIOD]] [--load] [--realtime]
//       SECONDS of starts and stops (600 unless given) on a server at PERIOD frames
//       (256 unless given), 44100 Hz;
//       --load      every core kept busy by a spinning thread at normal priority
//       --realtime  the JACK server at real-time priority, as a stage machine runs it
#include <jack/jack.h>
#include <jack/midiport.h>

#include <unistd.h>
#include <QCoreApplication>
#include <QProcess>
#include <algorithm>
#include <atomic>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <memory>
#include <optional>
#include <random>
#include <thread>
#include <vector>

#include "beatclock/beatclock.h"
#include "beatclock/beatschedule.h"
#include "cpu_load.h"
#include "jack_server.h"
#include "platform/realclock.h"
#include "playback/audioengine.h"
#include "playback/audiooptions.h"
#include "playback/decodedaudio.h"

namespace {

// The benchmark's ears: the clock's messages and the engine's sound, stamped with
// JACK's frames. Its process thread only writes to storage reserved beforehand.
class Listener {
public:
    struct Heard {
        std::int64_t frame;
        std::uint8_t byte;
        float sample;  // the engine's left channel on that frame
    };

    bool open() {
        client_ = jack_client_open("bench_listen", JackNoStartServer, nullptr);
        if (client_ == nullptr) {
            return false;
        }
        midi_ = jack_port_register(client_, "clock_in", JACK_DEFAULT_MIDI_TYPE, JackPortIsInput, 0);
        audio_ = jack_port_register(client_, "in", JACK_DEFAULT_AUDIO_TYPE, JackPortIsInput, 0);
        heard_.resize(1 << 22);
        jack_set_process_callback(client_, &Listener::process, this);
        jack_set_xrun_callback(client_, &Listener::xrun, this);
        return jack_activate(client_) == 0;
    }
    ~Listener() {
        if (client_ != nullptr) {
            jack_deactivate(client_);
            jack_client_close(client_);
        }
    }
    // The engine's left channel, whichever client it is.
    void hear(const QString& engineClient) {
        const QString port = engineClient + QStringLiteral(":out_0");
        const char** ports =
            jack_get_ports(client_, ("^" + engineClient + ":").toUtf8().constData(),
                           JACK_DEFAULT_AUDIO_TYPE, JackPortIsOutput);
        if (ports != nullptr && ports[0] != nullptr) {
            jack_connect(client_, ports[0], jack_port_name(audio_));
        }
        jack_free(ports);
        (void)port;
    }
    double rate() const { return jack_get_sample_rate(client_); }
    // Starts listening for the next first audible frame.
    void listen() {
        firstAudible_.store(-1);
        listening_.store(true);
    }
    std::int64_t firstAudible() const { return firstAudible_.load(); }
    std::vector<Heard> heard() const {
        const std::size_t n = std::min(count_.load(), heard_.size());
        return {heard_.begin(), heard_.begin() + std::ptrdiff_t(n)};
    }
    int xruns() const { return xruns_.load(); }

private:
    static int xrun(void* self) {
        static_cast<Listener*>(self)->xruns_.fetch_add(1);
        return 0;
    }
    // JACK's process thread: no allocation, no lock.
    static int process(jack_nframes_t frames, void* self) {
        auto* me = static_cast<Listener*>(self);
        const std::int64_t start = jack_last_frame_time(me->client_);
        void* in = jack_port_get_buffer(me->midi_, frames);
        const auto* sound = static_cast<const float*>(jack_port_get_buffer(me->audio_, frames));
        const std::uint32_t events = jack_midi_get_event_count(in);
        for (std::uint32_t i = 0; i < events; ++i) {
            jack_midi_event_t e;
            if (jack_midi_event_get(&e, in, i) == 0 && e.size == 1) {
                const std::size_t at = me->count_.load(std::memory_order_relaxed);
                if (at < me->heard_.size()) {
                    me->heard_[at] = Heard{start + e.time, e.buffer[0], sound[e.time]};
                    me->count_.store(at + 1, std::memory_order_release);
                }
            }
        }
        if (me->listening_.load()) {
            const auto* s = static_cast<const float*>(jack_port_get_buffer(me->audio_, frames));
            for (jack_nframes_t i = 0; i < frames; ++i) {
                if (std::fabs(s[i]) > 1e-4f) {
                    me->firstAudible_.store(start + i);
                    me->listening_.store(false);
                    break;
                }
            }
        }
        return 0;
    }

    jack_client_t* client_ = nullptr;
    jack_port_t* midi_ = nullptr;
    jack_port_t* audio_ = nullptr;
    std::vector<Heard> heard_;
    std::atomic<std::size_t> count_{0};
    std::atomic<bool> listening_{false};
    std::atomic<std::int64_t> firstAudible_{-1};
    std::atomic<int> xruns_{0};
};

// The groove's left channel says which of its frames sounds: a ramp over kMark
// frames, from 0.1 (audible from the first frame) to 0.9. Its length is a whole
// number of ramps, so the count goes on across the loop. The right channel is a tone.
constexpr int kMark = 4096;

std::shared_ptr<const DecodedAudio> tone() {
    auto sound = std::make_shared<DecodedAudio>();
    const int frames = kMark * 43;  // about 4 s
    sound->samples.resize(std::size_t(frames) * kEngineChannels);
    for (int f = 0; f < frames; ++f) {
        sound->samples[2 * std::size_t(f)] = 0.1f + 0.8f * float(f % kMark) / kMark;
        sound->samples[2 * std::size_t(f) + 1] =
            0.3f * float(std::sin(2 * M_PI * 220.0 * f / kEngineRate));
    }
    return sound;
}

// The groove frame (modulo kMark) a left-channel sample says is sounding.
double markOf(float sample) {
    return std::round((double(sample) - 0.1) / 0.8 * kMark);
}

struct Start {
    std::int64_t audible;  // the groove's first audible frame
    double bpm;
};

double percentile(std::vector<double> v, double p) {
    if (v.empty()) {
        return 0;
    }
    std::sort(v.begin(), v.end());
    return v[std::min(v.size() - 1, std::size_t(p * double(v.size())))];
}

void runEvents(int ms) {
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
    while (std::chrono::steady_clock::now() < end) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QStringList args = app.arguments().mid(1);
    const bool load = args.removeAll(QStringLiteral("--load")) > 0;
    const bool realTime = args.removeAll(QStringLiteral("--realtime")) > 0;
    const int seconds = args.size() > 0 ? args[0].toInt() : 600;
    const int period = args.size() > 1 ? args[1].toInt() : 256;

    QProcess jackd;
    if (!startJack(jackd, QStringLiteral("quintora_clock_%1").arg(getpid()), period, 44100,
                   realTime)) {
        std::printf("skipped: no JACK dummy server\n");
        return 0;
    }
    Listener ears;
    if (!ears.open()) {
        std::printf("skipped: the JACK server takes no client\n");
        return 0;
    }
    RealClock clock;
    AudioOptions options;
    // As a user who never chose a buffer has it: the server's own period.
    options.bufferFrames = AudioOptions::kAutomaticFrames;
    std::unique_ptr<AudioEngine> engine = engineOnJack(options);
    if (!engine) {
        return 0;
    }
    engine->setClock(clock);
    AudioEngine* e = engine.get();
    BeatClock beat(
        e->timeline(), [e] { return e->outputJackClient(); }, clock);
    beat.setOptions({{QStringLiteral("bench_listen:clock_in")}, false});
    ears.hear(e->outputJackClient());
    runEvents(500);
    std::printf("engine: %s; clock follows the engine's frames: %s, reaches: %s\n",
                qPrintable(e->outputDescription()), beat.followsEngine() ? "yes" : "no",
                qPrintable(beat.reached().join(", ")));

    std::optional<CpuLoad> busy;
    if (load) {
        busy.emplace();
    }
    const auto sound = tone();
    std::mt19937 random(12345);
    std::vector<Start> starts;
    const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(seconds);
    while (std::chrono::steady_clock::now() < until) {
        const double bpm = std::uniform_int_distribution<int>(60, 200)(random);
        beat.songPrepared(bpm, 0);
        runEvents(300);
        ears.listen();
        e->playGroove(sound);
        runEvents(std::uniform_int_distribution<int>(2000, 6000)(random));
        if (ears.firstAudible() >= 0) {
            starts.push_back({ears.firstAudible(), bpm});
        }
        e->stopGroove();
        runEvents(700);
    }
    busy.reset();
    runEvents(300);

    // Each Start against the first audible frame of its groove; each tick until the
    // next Stop against the grid from that frame.
    const double rate = ears.rate();
    const std::vector<Listener::Heard> heard = ears.heard();
    std::vector<double> startError, tickError, soundError;
    std::size_t next = 0;
    int unmatched = 0;
    int onSilence = 0;
    for (const Start& s : starts) {
        while (next < heard.size() && !(heard[next].byte == BeatSchedule::kStart &&
                                        heard[next].frame >= s.audible - std::int64_t(rate))) {
            ++next;
        }
        if (next >= heard.size()) {
            ++unmatched;
            continue;
        }
        startError.push_back(double(heard[next].frame - s.audible) * 1000.0 / rate);
        if (qEnvironmentVariableIsSet("BENCH_DEBUG")) {
            std::printf("start bpm %.0f audible %lld:", s.bpm, (long long)s.audible);
            for (std::size_t k = next; k < std::min(heard.size(), next + 12); ++k) {
                std::printf(" %02x@%lld", heard[k].byte, (long long)(heard[k].frame - s.audible));
            }
            std::printf("\n");
        }
        const double step = BeatSchedule::tickFrames(s.bpm, rate);
        std::int64_t n = 0;
        for (++next; next < heard.size() && heard[next].byte != BeatSchedule::kStop; ++next) {
            if (heard[next].byte == BeatSchedule::kTick) {
                const double ideal = double(s.audible) + double(n++) * step;
                // Against the sound heard: the groove frame sounding on the tick's frame
                // (past the fade-in of its first ticks).
                // A tick on a silent frame (a period the engine missed) has no groove
                // frame to be measured against: it is counted apart.
                if (n > 4 && std::fabs(heard[next].sample) < 0.05f) {
                    ++onSilence;
                } else if (n > 4) {
                    double off = std::fmod(
                        markOf(heard[next].sample) - std::fmod(double(n - 1) * step, kMark), kMark);
                    off = off < -kMark / 2 ? off + kMark : off >= kMark / 2 ? off - kMark : off;
                    soundError.push_back(std::fabs(off) * 1000.0 / rate);
                    if (std::fabs(off) * 1000.0 / rate > 0.5 &&
                        qEnvironmentVariableIsSet("BENCH_DEBUG")) {
                        std::printf(
                            "off the groove: start at frame %lld, %.0f BPM, tick %lld at "
                            "frame %+lld, %.3f ms\n",
                            (long long)s.audible, s.bpm, (long long)(n - 1),
                            (long long)(heard[next].frame - s.audible),
                            std::fabs(off) * 1000.0 / rate);
                    }
                }
                const double ms = std::fabs(double(heard[next].frame) - ideal) * 1000.0 / rate;
                tickError.push_back(ms);
                if (ms > 1.0 && qEnvironmentVariableIsSet("BENCH_DEBUG")) {
                    std::printf(
                        "late tick: start at frame %lld, %.0f BPM, tick %lld, %.3f ms, "
                        "the tick before at %+lld frames\n",
                        (long long)s.audible, s.bpm, (long long)(n - 1), ms,
                        (long long)(heard[next].frame - heard[next - 1].frame));
                }
            }
        }
    }
    std::vector<double> startAbs;
    for (double v : startError) {
        startAbs.push_back(std::fabs(v));
    }
    std::printf(
        "%d frames, 44.1 kHz, %s%s, %d s: %zu starts (%d without Start), %zu ticks, %d xruns\n",
        period, load ? "every core busy" : "quiet", realTime ? ", JACK real-time" : "", seconds,
        starts.size(), unmatched, tickError.size(), ears.xruns());
    std::printf("  Start - first audible frame, ms: median %.3f, p99 |%.3f|, worst |%.3f|\n",
                percentile(startError, 0.5), percentile(startAbs, 0.99), percentile(startAbs, 1.0));
    std::printf("  tick deviation from ideal, ms: p50 %.3f, p99 %.3f, worst %.3f\n",
                percentile(tickError, 0.5), percentile(tickError, 0.99),
                percentile(tickError, 1.0));
    std::printf(
        "  tick deviation from the groove frame heard, ms: p50 %.3f, p99 %.3f, worst %.3f "
        "(%d ticks on a silent frame left out)\n",
        percentile(soundError, 0.5), percentile(soundError, 0.99), percentile(soundError, 1.0),
        onSilence);
    beat.setOptions({});
    engine.reset();
    jackd.terminate();
    jackd.waitForFinished(3000);
    return 0;
}
