// A song's messages to the other gear on stage, from the moment the song is prepared
// to the moment they reach the device: a JACK server on the dummy driver, the
// program's gear sender on it through RtMidi on a thread of its own as in the program
// (the song handed over to it from another thread), and the benchmark as the device, a
// JACK client of its own that notes when the first and the last of a song's twenty
// messages reach its MIDI input. Times are JACK's own microseconds, read on JACK's
// thread as the messages arrive. The messages go out in the JACK period after the
// one in which they were sent: the figures include that wait (up to one period).
//
//   bench_gear_send [RUNS [PERIOD]]   (200 runs, 256 frames at 44.1 kHz unless given)
#include <jack/jack.h>
#include <jack/midiport.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QEventLoop>
#include <QProcess>
#include <QStandardPaths>
#include <algorithm>
#include <atomic>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <memory>
#include <thread>
#include <vector>

#include "gear/gearsender.h"
#include "jack_server.h"
#include "pedals/midisystem.h"
#include "platform/realclock.h"
#include "show/showthread.h"

namespace {

// The device: one MIDI input "Lettore:in" counting what reaches it.
class Reader {
public:
    ~Reader() {
        if (client_ != nullptr) {
            jack_deactivate(client_);
            jack_client_close(client_);
        }
    }
    bool open() {
        client_ = jack_client_open("Lettore", JackNoStartServer, nullptr);
        if (client_ == nullptr) {
            return false;
        }
        in_ = jack_port_register(client_, "in", JACK_DEFAULT_MIDI_TYPE, JackPortIsInput, 0);
        jack_set_process_callback(client_, &Reader::process, this);
        return in_ != nullptr && jack_activate(client_) == 0;
    }
    // Listens for a song of `count` messages from now.
    void expect(int count) {
        first_.store(0);
        last_.store(0);
        count_.store(0);
        expected_.store(count);
    }
    int count() const { return count_.load(); }
    jack_time_t first() const { return first_.load(); }
    jack_time_t last() const { return last_.load(); }

private:
    // JACK's process thread: no allocation, no lock.
    static int process(jack_nframes_t frames, void* self) {
        auto* me = static_cast<Reader*>(self);
        void* buffer = jack_port_get_buffer(me->in_, frames);
        const std::uint32_t events = jack_midi_get_event_count(buffer);
        if (events == 0) {
            return 0;
        }
        const jack_time_t now = jack_get_time();
        const int before = me->count_.fetch_add(int(events));
        if (before == 0) {
            me->first_.store(now);
        }
        if (before + int(events) >= me->expected_.load()) {
            me->last_.store(now);
        }
        return 0;
    }

    jack_client_t* client_ = nullptr;
    jack_port_t* in_ = nullptr;
    std::atomic<int> count_{0};
    std::atomic<int> expected_{1 << 30};
    std::atomic<jack_time_t> first_{0};
    std::atomic<jack_time_t> last_{0};
};

void runEvents(int ms) {
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
    while (std::chrono::steady_clock::now() < end) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 1);
        std::this_thread::sleep_for(std::chrono::microseconds(200));
    }
}

// Twenty messages of every kind, as a song with a lot to say has them.
GearMessages song(const QString& port) {
    GearMessages s;
    for (int i = 0; i < 20; ++i) {
        GearMessage m;
        m.port = port;
        m.channel = 1 + i % 16;
        switch (i % 4) {
            case 0:
                m.bankMsb = i;
                m.bankLsb = 0;
                m.number = i * 6;
                break;
            case 1:
                m.kind = GearMessage::Kind::Control;
                m.number = 7;
                m.value = 100 - i;
                break;
            case 2:
                m.number = 127 - i;
                break;
            default:
                m.kind = GearMessage::Kind::SysEx;
                m.sysEx = QByteArray::fromHex("f0411042124000007f0041f7");
        }
        s << m;
    }
    return s;
}

double percentile(std::vector<double> v, double p) {
    if (v.empty()) {
        return NAN;
    }
    std::sort(v.begin(), v.end());
    return v[std::min(v.size() - 1, std::size_t(std::floor(p * double(v.size() - 1) + 0.5)))];
}

void row(const char* what, const std::vector<double>& ms) {
    std::printf("| %s | %.3f | %.3f | %.3f |\n", what, percentile(ms, 0.5), percentile(ms, 0.99),
                percentile(ms, 1.0));
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 200;
    const int period = argc > 2 ? std::max(16, std::atoi(argv[2])) : 256;
    QProcess jackd;
    if (!startJack(jackd, QStringLiteral("quintora_gear_%1").arg(getpid()), period)) {
        std::fprintf(stderr, "no JACK server could be started (is jackd installed?)\n");
        return 1;
    }
    MidiSystem::setPreferred(MidiSystem::Api::Jack);
    int result = 0;
    {
        Reader reader;
        if (!reader.open()) {
            std::fprintf(stderr, "the reading JACK client could not be opened\n");
            return 1;
        }
        RealClock clock;
        // As in the program: the sender on a thread of its own, the song handed over
        // to it from the thread that prepared it (here the benchmark's own).
        ShowThread gearThread(QStringLiteral("GearThread"), ShowThread::kShowPriority - 1);
        std::unique_ptr<GearSender> owned;
        gearThread.call(
            [&] { owned = std::make_unique<GearSender>(clock, MidiSystem::Api::Jack); });
        GearSender& sender = *owned;
        const GearMessages messages = song(QStringLiteral("Lettore:in"));
        int wire = 0;
        for (const GearMessage& m : messages) {
            wire += int(m.wire().size());
        }
        // The first song opens the port, as the first of the evening does.
        reader.expect(wire);
        sender.sendSong(messages);
        runEvents(300);

        std::vector<double> call, first, last;
        int lost = 0;
        for (int run = 0; run < runs; ++run) {
            // Songs are prepared at any moment of JACK's period.
            runEvents(20 + run * 7 % 13);
            reader.expect(wire);
            const jack_time_t t0 = jack_get_time();
            sender.sendSong(messages);
            call.push_back(double(jack_get_time() - t0) / 1000.0);
            const auto give = std::chrono::steady_clock::now() + std::chrono::seconds(1);
            while (reader.count() < wire && std::chrono::steady_clock::now() < give) {
                std::this_thread::sleep_for(std::chrono::microseconds(100));
            }
            if (reader.count() < wire || reader.last() == 0) {
                ++lost;
                continue;
            }
            first.push_back(double(reader.first() - t0) / 1000.0);
            last.push_back(double(reader.last() - t0) / 1000.0);
        }
        std::printf(
            "A song of 20 messages (%d on the wire) to a JACK device, %d runs, period %d frames "
            "at 44.1 kHz (%.2f ms), in ms\n\n"
            "| From the preparation to | Median | p99 | Worst |\n|---|---|---|---|\n",
            wire, runs, period, period * 1000.0 / 44100.0);
        row("the hand-over to the sender's thread (sendSong returned)", call);
        row("the first message at the device", first);
        row("the last message at the device", last);
        std::printf("\nSongs not arrived whole within a second: %d\n", lost);
        result = lost == 0 ? 0 : 2;
        gearThread.call([&] { owned.reset(); });
    }
    jackd.terminate();
    jackd.waitForFinished(3000);
    return result;
}
