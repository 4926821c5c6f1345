#include "pedals/pedalstatus.h"

#include "pedals/portio.h"

int PedalStatus::mask(int pedal) {
    return pedal == 1 ? PortIo::kPedal1 : pedal == 2 ? PortIo::kPedal2 : 0;
}

void PedalStatus::set(int pedal, bool down, double atMs) {
    const int m = mask(pedal);
    const std::lock_guard<std::mutex> lock(mutex_);
    if (down) {
        lastMs_ = atMs;
        down_ |= m;
        unread_ |= m;
    } else {
        down_ &= ~m;
    }
}

void PedalStatus::toggle(int pedal, double atMs) {
    const int m = mask(pedal);
    const std::lock_guard<std::mutex> lock(mutex_);
    lastMs_ = atMs;
    unread_ |= m;
    down_ &= ~m;
}

double PedalStatus::lastEventMs() const {
    const std::lock_guard<std::mutex> lock(mutex_);
    return lastMs_;
}

int PedalStatus::read() {
    const std::lock_guard<std::mutex> lock(mutex_);
    const int bits = down_ | unread_;
    unread_ = 0;
    return bits;
}

void PedalStatus::clear() {
    const std::lock_guard<std::mutex> lock(mutex_);
    lastMs_ = -1;
    down_ = 0;
    unread_ = 0;
}

void PedalStatus::log(const QString& text) {
    const std::lock_guard<std::mutex> lock(mutex_);
    recent_.append(text);
    while (recent_.size() > kKeep) {
        recent_.removeFirst();
    }
}

QStringList PedalStatus::recent() const {
    const std::lock_guard<std::mutex> lock(mutex_);
    return recent_;
}
