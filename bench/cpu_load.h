#pragma once

// A busy machine for the benchmarks: one thread per core spinning at normal
// priority from construction to destruction, as other work on a musician's
// laptop would keep every core busy.
#include <algorithm>
#include <atomic>
#include <cstdlib>
#include <thread>
#include <vector>

class CpuLoad {
public:
    CpuLoad() {
        const unsigned cores = std::max(1u, std::thread::hardware_concurrency());
        for (unsigned i = 0; i < cores; ++i) {
            threads_.emplace_back([this] {
                volatile unsigned long spins = 0;
                while (!stop_.load(std::memory_order_relaxed)) {
                    spins = spins + 1;
                }
            });
        }
    }
    CpuLoad(const CpuLoad&) = delete;
    CpuLoad& operator=(const CpuLoad&) = delete;
    ~CpuLoad() {
        stop_.store(true);
        for (auto& t : threads_) {
            t.join();
        }
    }

    int threads() const { return int(threads_.size()); }

    // The machine's load average over the last minute (-1 when it cannot be read).
    static double loadAverage() {
        double one = -1;
        return getloadavg(&one, 1) == 1 ? one : -1;
    }

private:
    std::atomic<bool> stop_{false};
    std::vector<std::thread> threads_;
};
