#include "gear/jackpulse.h"

#include <jack/jack.h>

#include <chrono>
#include <thread>

JackPulse::~JackPulse() {
    leave();
}

bool JackPulse::join() {
    if (client_ != nullptr) {
        return true;
    }
    gone_.store(false, std::memory_order_release);
    client_ = jack_client_open("Quintora_polso", JackNoStartServer, nullptr);
    if (client_ == nullptr) {
        return false;
    }
    jack_on_shutdown(client_, &JackPulse::shutdown, this);
    if (jack_set_process_callback(client_, &JackPulse::process, this) != 0 ||
        jack_activate(client_) != 0) {
        leave();
        return false;
    }
    return true;
}

bool JackPulse::beating() {
    if (client_ == nullptr || gone()) {
        return false;
    }
    const std::uint64_t now = cycles_.load(std::memory_order_acquire);
    const bool moved = now != seen_;
    seen_ = now;
    return moved;
}

// A cycle under way when this is called may have begun before the change asked
// for: the one after it is the first sure to see it.
bool JackPulse::awaitNewCycle(int limitMs) {
    if (client_ == nullptr || gone()) {
        return false;
    }
    const std::uint64_t from = cycles_.load(std::memory_order_acquire);
    const auto until = std::chrono::steady_clock::now() + std::chrono::milliseconds(limitMs);
    while (cycles_.load(std::memory_order_acquire) < from + 2) {
        if (gone() || std::chrono::steady_clock::now() >= until) {
            return false;
        }
        std::this_thread::sleep_for(std::chrono::microseconds(500));
    }
    return true;
}

void JackPulse::leave() {
    if (client_ != nullptr) {
        // A client whose server died is only forgotten: libjack frees it by itself at the
        // next client any part of the program opens, and a close after that would free
        // it twice.
        if (!gone()) {
            jack_client_close(client_);
        }
        client_ = nullptr;
    }
}

// JACK's process thread: no allocation, no lock.
int JackPulse::process(std::uint32_t, void* self) {
    static_cast<JackPulse*>(self)->cycles_.fetch_add(1, std::memory_order_release);
    return 0;
}

// JACK's own thread, when the server goes or drops this client.
void JackPulse::shutdown(void* self) {
    static_cast<JackPulse*>(self)->gone_.store(true, std::memory_order_release);
}
