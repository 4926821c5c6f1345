// How late this machine wakes a thread that sleeps until a deadline a millisecond
// away: at normal priority and at real-time priority (SCHED_FIFO 80, as a JACK
// server's own threads run), on a quiet machine and with every core kept busy. A
// sound server can keep its periods only when the lateness stays well below one
// period (1.45 ms at 64 frames and 44.1 kHz): what the MIDI and clock benchmarks
// count as JACK's late cycles starts here.
//
//   bench_wakeup_latency [SECONDS]   each of the four rows for SECONDS (10 unless given)
#include <pthread.h>
#include <sched.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <thread>
#include <vector>

#include "cpu_load.h"

namespace {

using Clock = std::chrono::steady_clock;

struct Row {
    bool realTime = false;
    bool granted = false;
    std::vector<double> lateMs;
};

Row measure(bool realTime, int seconds) {
    Row row;
    row.realTime = realTime;
    std::thread t([&] {
        if (realTime) {
            sched_param p{};
            p.sched_priority = 80;
            row.granted = pthread_setschedparam(pthread_self(), SCHED_FIFO, &p) == 0;
        }
        const auto end = Clock::now() + std::chrono::seconds(seconds);
        auto due = Clock::now();
        row.lateMs.reserve(std::size_t(seconds) * 1000);
        while (due < end) {
            due += std::chrono::milliseconds(1);
            std::this_thread::sleep_until(due);
            const auto late = Clock::now() - due;
            row.lateMs.push_back(std::chrono::duration<double, std::milli>(late).count());
        }
    });
    t.join();
    return row;
}

double at(const std::vector<double>& sorted, double p) {
    return sorted.empty() ? 0 : sorted[std::min(sorted.size() - 1, std::size_t(p * sorted.size()))];
}

void print(const char* machine, Row row) {
    std::sort(row.lateMs.begin(), row.lateMs.end());
    const auto over =
        std::count_if(row.lateMs.begin(), row.lateMs.end(), [](double ms) { return ms > 1.0; });
    std::printf(
        "%-16s %-22s %7zu wake-ups: late p50 %.3f ms, p99 %.3f ms, worst %.3f ms, "
        "over 1 ms: %lld\n",
        machine,
        row.realTime ? (row.granted ? "real-time (FIFO 80)" : "real-time NOT granted")
                     : "normal priority",
        row.lateMs.size(), at(row.lateMs, 0.5), at(row.lateMs, 0.99),
        row.lateMs.empty() ? 0 : row.lateMs.back(), static_cast<long long>(over));
}

}  // namespace

int main(int argc, char** argv) {
    const int seconds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 10;
    for (const bool busy : {false, true}) {
        std::optional<CpuLoad> load;
        if (busy) {
            load.emplace();
        }
        for (const bool realTime : {false, true}) {
            print(busy ? "every core busy" : "quiet", measure(realTime, seconds));
        }
    }
    return 0;
}
