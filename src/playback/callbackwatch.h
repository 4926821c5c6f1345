#pragma once

#include <atomic>
#include <chrono>
#include <cstdint>

// Whether a sound device's callback still comes: the callback counts itself, and
// the output's failure check (about once a second, one thread) sees whether the
// count moved on within kStallMs.
class CallbackWatch {
public:
    static constexpr int kStallMs = 1000;

    // The device's callback: no allocation, lock, file access or logging.
    void called() { calls_.fetch_add(1, std::memory_order_relaxed); }
    // The output started: the wait for a callback begins now.
    void restart() {
        seen_ = calls_.load(std::memory_order_relaxed);
        seenAtMs_ = nowMs();
    }
    // Whether no callback came for kStallMs.
    bool stalled() {
        const std::uint64_t calls = calls_.load(std::memory_order_relaxed);
        const std::int64_t now = nowMs();
        if (calls != seen_) {
            seen_ = calls;
            seenAtMs_ = now;
        }
        return now - seenAtMs_ >= kStallMs;
    }

private:
    static std::int64_t nowMs() {
        return std::chrono::duration_cast<std::chrono::milliseconds>(
                   std::chrono::steady_clock::now().time_since_epoch())
            .count();
    }

    std::atomic<std::uint64_t> calls_{0};  // counted by the callback
    std::uint64_t seen_ = 0;
    std::int64_t seenAtMs_ = 0;  // when the callbacks were last seen moving on
};
