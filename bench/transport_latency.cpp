// Pedal to sound through the whole program: the virtual pedal box, the main tick on
// a manual clock and the offline engine. A pedal goes down at a random moment of
// the poll period; the time to the first audible sample is the wait for the next
// poll plus what the program adds. Prints median and 99th percentile for the
// default 40 ms poll and for 5 ms, then the cost of an idle main tick.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QByteArray>
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <random>
#include <vector>

#include "platform/hirestimer.h"
#include "show/maintick.h"
#include "show/showcore.h"
#include "support/harness.h"
#include "support/testlibrary.h"

namespace {

constexpr double kFramesPerMs = 44.1;

struct Figures {
    std::vector<double> totalMs;
    std::vector<double> beyondPollMs;
};

double percentile(std::vector<double> v, double p) {
    std::sort(v.begin(), v.end());
    return v[std::min(v.size() - 1, std::size_t(std::floor(p * double(v.size() - 1) + 0.5)))];
}

Figures measure(double pollMs, int presses) {
    Harness h;
    TestLibrary::install(h);
    h.start();
    h.find<HiResTimer>("HiResTimer1")->setInterval(pollMs);
    TestLibrary::connect(h);
    TestLibrary::prepare(h, "Alba");
    h.advance(3000);
    std::mt19937 random(7);
    std::uniform_real_distribution<double> phase(0.0, pollMs);
    Figures f;
    for (int i = 0; i < presses; ++i) {
        h.advance(phase(random));
        const double pollWait = h.clock.msToNextTimer();  // the main tick is the next due
        h.box.setPedal1(true);
        const std::vector<float> sound = h.listen(pollMs + 20);
        std::size_t first = 0;
        while (first < sound.size() && std::fabs(sound[first]) < 1e-4f) {
            ++first;
        }
        const double ms = double(first / 2) / kFramesPerMs;
        f.totalMs.push_back(ms);
        f.beyondPollMs.push_back(ms - pollWait);
        h.advance(600);  // the lock-out ends
        h.box.setPedal1(false);
        h.advance(pollMs + 1);
        h.box.setPedal1(true);  // stop it again
        h.advance(pollMs + 600);
        h.box.setPedal1(false);
        h.advance(pollMs + 1);
    }
    return f;
}

void report(double pollMs) {
    const Figures f = measure(pollMs, 200);
    std::printf(
        "pedal to first sample, %2.0f ms poll: median %.2f ms (%.0f frames), p99 %.2f ms; "
        "beyond the poll wait: median %.3f ms (%.0f frames), p99 %.3f ms (%.0f frames)\n",
        pollMs, percentile(f.totalMs, 0.5), percentile(f.totalMs, 0.5) * kFramesPerMs,
        percentile(f.totalMs, 0.99), percentile(f.beyondPollMs, 0.5),
        percentile(f.beyondPollMs, 0.5) * kFramesPerMs, percentile(f.beyondPollMs, 0.99),
        percentile(f.beyondPollMs, 0.99) * kFramesPerMs);
}

// One main tick with the box attached and nothing changed: a status read and the
// play list's position check.
void IdleMainTick(benchmark::State& state) {
    Harness h(Harness::Sound::Recording);
    TestLibrary::install(h);
    Audio& w = h.start();
    TestLibrary::connect(h);
    TestLibrary::prepare(h, "Cielo");
    h.advance(3000);
    for (auto _ : state) {
        w.core().mainTick().tick();
    }
}
BENCHMARK(IdleMainTick);

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    report(40);
    report(5);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    return 0;
}
