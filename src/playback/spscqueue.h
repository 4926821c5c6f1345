#pragma once

#include <atomic>
#include <cstddef>
#include <type_traits>
#include <vector>

// A bounded, lock-free queue between exactly one producer thread and one consumer
// thread. The slots are allocated once, at construction; push and pop never
// allocate, lock or block, so the audio callback may use either end. T must be a
// small, trivially copyable value (a plain command struct or a pointer).
template <typename T>
class SpscQueue {
    static_assert(std::is_trivially_copyable_v<T>, "SpscQueue holds plain values only");

public:
    // Capacity is rounded up to a power of two. Construct on any thread, before use.
    explicit SpscQueue(std::size_t capacity) {
        std::size_t size = 2;
        while (size < capacity) {
            size *= 2;
        }
        slots_.resize(size);
        mask_ = size - 1;
    }
    SpscQueue(const SpscQueue&) = delete;
    SpscQueue& operator=(const SpscQueue&) = delete;

    // Producer side. False when the queue is full. Safe in the audio callback.
    bool push(const T& value) {
        const std::size_t head = head_.load(std::memory_order_relaxed);
        if (head - tail_.load(std::memory_order_acquire) > mask_) {
            return false;
        }
        slots_[head & mask_] = value;
        head_.store(head + 1, std::memory_order_release);
        return true;
    }

    // Consumer side. False when the queue is empty. Safe in the audio callback.
    bool pop(T& value) {
        const std::size_t tail = tail_.load(std::memory_order_relaxed);
        if (tail == head_.load(std::memory_order_acquire)) {
            return false;
        }
        value = slots_[tail & mask_];
        tail_.store(tail + 1, std::memory_order_release);
        return true;
    }

    // Consumer side: the oldest value without taking it, or nullptr when empty.
    // Safe in the audio callback.
    const T* front() const {
        const std::size_t tail = tail_.load(std::memory_order_relaxed);
        if (tail == head_.load(std::memory_order_acquire)) {
            return nullptr;
        }
        return &slots_[tail & mask_];
    }

    // Either side; only a snapshot while the other side runs.
    bool empty() const {
        return head_.load(std::memory_order_acquire) == tail_.load(std::memory_order_acquire);
    }
    std::size_t capacity() const { return mask_ + 1; }

private:
    std::vector<T> slots_;
    std::size_t mask_ = 0;
    alignas(64) std::atomic<std::size_t> head_{0};  // next slot to write (producer)
    alignas(64) std::atomic<std::size_t> tail_{0};  // next slot to read (consumer)
};
