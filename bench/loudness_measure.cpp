// What even loudness costs: the time to measure a minute of audio (MP3 and WAV),
// and a library measured in the background while a device-like audio thread plays a
// groove, with every core kept busy or not: how long the library takes and how many
// audio periods came late (a dropout on a sound card).
//   bench_loudness_measure [SONGS [MINUTES]] [--load]
//       SONGS    songs in the library measured in the background (default 50; each
//                its own file of MINUTES minutes, default 3)
//       --load   every core kept busy by a spinning thread at normal priority
#include <pthread.h>
#include <sched.h>

#include <QCoreApplication>
#include <QFile>
#include <QTemporaryDir>
#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <optional>
#include <thread>
#include <vector>

#include "cpu_load.h"
#include "loudness/loudnessmeter.h"
#include "loudness/loudnesswork.h"
#include "playback/audioengine.h"
#include "playback/groovecache.h"
#include "playback/offlineoutput.h"
#include "playback/soundfilereader.h"
#include "support/testaudio.h"

namespace {

using Steady = std::chrono::steady_clock;

double msSince(Steady::time_point t) {
    return std::chrono::duration<double, std::milli>(Steady::now() - t).count();
}

// The median time in ms of three measures of path.
double measureMs(const QString& path) {
    std::vector<double> times;
    for (int i = 0; i < 3; ++i) {
        const auto t = Steady::now();
        const Loudness l = LoudnessMeter::measure(path);
        times.push_back(msSince(t));
        if (!l.ok) {
            std::printf("could not measure %s: %s\n", qPrintable(path), qPrintable(l.why));
        }
    }
    std::sort(times.begin(), times.end());
    return times[1];
}

// A sound card's audio thread: every period at real-time priority (where granted) it
// renders the engine, and counts the periods it finished after their deadline.
class DeviceThread {
public:
    static constexpr int kPeriod = 256;

    explicit DeviceThread(AudioEngine& engine) : engine_(engine) {
        thread_ = std::thread([this] { run(); });
    }
    ~DeviceThread() {
        stop_ = true;
        thread_.join();
    }
    int periods() const { return periods_.load(); }
    int late() const { return late_.load(); }
    bool realTime() const { return realTime_.load(); }

private:
    void run() {
        sched_param p{};
        p.sched_priority = 10;
        realTime_ = pthread_setschedparam(pthread_self(), SCHED_FIFO, &p) == 0;
        std::vector<float> out(kPeriod * 2);
        const auto period = std::chrono::duration_cast<Steady::duration>(
            std::chrono::duration<double>(double(kPeriod) / kEngineRate));
        auto due = Steady::now() + period;
        while (!stop_) {
            std::this_thread::sleep_until(due - period);
            engine_.render(out.data(), kPeriod);
            if (Steady::now() > due) {
                ++late_;
            }
            ++periods_;
            due += period;
        }
    }

    AudioEngine& engine_;
    std::thread thread_;
    std::atomic<bool> stop_{false};
    std::atomic<bool> realTime_{false};
    std::atomic<int> periods_{0};
    std::atomic<int> late_{0};
};

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments().mid(1);
    const bool load = args.contains(QStringLiteral("--load"));
    QStringList numbers = args;
    numbers.removeAll(QStringLiteral("--load"));
    const int songs = numbers.value(0, QStringLiteral("50")).toInt();
    const int minutes = numbers.value(1, QStringLiteral("3")).toInt();
    QTemporaryDir dir;
    const QString d = dir.path() + QStringLiteral("/");
    const int minute = 60 * kEngineRate;
    const auto music = [](int i, int c) {
        return 0.3f * float(std::sin(2 * 3.14159265 * 220 * i / 44100.0)) +
               0.1f * float(((i * 1103515245u + 12345u * unsigned(c + 1)) >> 16) % 2001) / 1000.0f -
               0.1f;
    };
    const QString mp3 = testaudio::writeMp3(d + "song.mp3", minutes * minute, music);
    const QString wav = testaudio::writeWav(d + "groove.wav", minutes * minute, music);
    std::printf("Measuring the loudness of a file (EBU R128 integrated and true peak)\n\n");
    std::printf("| File | Minutes | ms per minute of audio | Faster than real time |\n");
    std::printf("|---|---|---|---|\n");
    for (const QString& path : {mp3, wav}) {
        const double ms = measureMs(path) / minutes;
        std::printf("| %s | %d | %.0f | %.0fx |\n", path.endsWith("mp3") ? "MP3" : "WAV 16-bit",
                    minutes, ms, 60000.0 / ms);
    }

    // The library: one file per song (links to the MP3, each measured on its own).
    LoudnessWork::Survey survey;
    for (int i = 0; i < songs; ++i) {
        const QString name = QStringLiteral("brano%1.mp3").arg(i);
        QFile::link(mp3, d + name);
        survey.songs.append({i, name, QString(), false});
    }
    survey.mp3Folders[0] = d;
    std::atomic<int> measured{0};
    LoudnessWork::Hooks hooks;
    hooks.measured = [&](const FileLoudness&) { ++measured; };

    AudioOptions options;
    options.offline = true;
    auto engine = std::make_unique<AudioEngine>(std::make_unique<OfflineOutput>(), options);
    engine->playGroove(SoundFileReader::decodeAll(wav, std::size_t(1) << 30));
    std::optional<CpuLoad> busy;
    if (load) {
        busy.emplace();
    }
    DeviceThread device(*engine);
    const auto start = Steady::now();
    {
        LoudnessWork work(hooks);
        work.start(survey);
        work.waitIdle();
    }
    const double seconds = msSince(start) / 1000;
    std::printf(
        "\nA library measured in the background while a groove plays (256-frame "
        "periods%s)\n\n",
        device.realTime() ? ", audio thread at real-time priority" : "");
    std::printf(
        "| Machine | Songs | Minutes each | Measured in s | s per song | 500 songs in min "
        "| Audio periods | Late periods |\n");
    std::printf("|---|---|---|---|---|---|---|---|\n");
    std::printf("| %s | %d | %d | %.1f | %.2f | %.1f | %d | %d |\n",
                load ? "every core busy" : "quiet", measured.load(), minutes, seconds,
                seconds / std::max(1, measured.load()),
                500 * seconds / std::max(1, measured.load()) / 60, device.periods(), device.late());
    return 0;
}
