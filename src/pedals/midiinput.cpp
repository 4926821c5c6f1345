#include "pedals/midiinput.h"

#include <algorithm>
#include <chrono>

#include <RtMidi.h>
#include <sys/eventfd.h>
#include <unistd.h>

#include <QSocketNotifier>

namespace {

const char* const kPortName = "pedals_in";

}  // namespace

MidiInput::MidiInput(MidiSystem::Api api, QObject* parent) : QObject(parent), api_(api) {
    wake_ = ::eventfd(0, EFD_NONBLOCK | EFD_CLOEXEC);
    if (wake_ >= 0) {
        notifier_ = new QSocketNotifier(wake_, QSocketNotifier::Read, this);
        connect(notifier_, &QSocketNotifier::activated, this, &MidiInput::drain);
    }
}

MidiInput::~MidiInput() {
    close();
    delete notifier_;
    if (wake_ >= 0) {
        ::close(wake_);
    }
}

bool MidiInput::open(const QString& name) {
    close();
    if (wake_ < 0) {
        return false;
    }
    if (!in_) {
        in_ = MidiSystem::makeInput(api_);
    }
    if (!in_) {
        return false;
    }
    const int index = MidiSystem::indexOf(*in_, name);
    if (index < 0) {
        return false;
    }
    taken_.store(0, std::memory_order_relaxed);
    try {
        in_->ignoreTypes(true, true, true);
        in_->setCallback(&MidiInput::arrived, this);
        in_->openPort(unsigned(index), kPortName);
    } catch (const RtMidiError&) {
        in_.reset();
        return false;
    }
    open_ = in_->isPortOpen();
    name_ = name;
    listening_ = open_ && in_->getCurrentApi() == RtMidi::UNIX_JACK && links_.listen(name);
    heardSince_ = heardThen_ = links_.heard();
    takenThen_ = 0;
    return open_;
}

void MidiInput::close() {
    if (in_ && links_.serverGone()) {
        MidiSystem::forget(std::move(in_));
    } else if (in_) {
        try {
            in_->closePort();
            in_->cancelCallback();
        } catch (const RtMidiError&) {
        }
        // A fresh client at the next open: a JACK client whose port vanished may
        // not connect again.
        in_.reset();
    }
    open_ = false;
    // RtMidi's thread is gone: what it left is dropped, not handed over later.
    tail_.store(head_.load(std::memory_order_acquire), std::memory_order_release);
    if (wake_ >= 0) {
        std::uint64_t count = 0;
        [[maybe_unused]] const ssize_t got = ::read(wake_, &count, sizeof count);
    }
}

bool MidiInput::stillThere() {
    // A client whose JACK server died lists what libjack last knew, or nothing.
    return open_ && in_ && !links_.serverGone() && MidiSystem::indexOf(*in_, name_) >= 0;
}

bool MidiInput::stillConnected() {
    if (!open_ || !in_ || in_->getCurrentApi() != RtMidi::UNIX_JACK) {
        return true;
    }
    return links_.feeds(name_, QString::fromLatin1(kPortName));
}

bool MidiInput::stillHearing() {
    if (!open_ || !listening_) {
        return true;
    }
    // Counted from the last time the input handed something over. A message heard
    // by the last call has had a whole pause to come through; the two counts are
    // read a moment apart, so one message may be counted on the wrong side.
    const std::uint64_t taken = taken_.load(std::memory_order_acquire);
    const std::uint64_t heard = links_.heard();
    if (taken != takenThen_) {
        takenThen_ = taken;
        heardSince_ = heard;
    }
    const bool deaf = heardThen_ >= heardSince_ + kSwallowed;
    heardThen_ = heard;
    return !deaf;
}

namespace {

std::int64_t steadyNs() {
    return std::chrono::duration_cast<std::chrono::nanoseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

}  // namespace

double MidiInput::ageMs(std::int64_t heardNs) {
    return heardNs > 0 ? std::max(0.0, double(steadyNs() - heardNs) / 1.0e6) : 0.0;
}

// Runs on RtMidi's thread (ALSA's input thread, or JACK's process thread): no
// allocation, no lock, no log, no file. A full queue drops the message.
void MidiInput::arrived(double, std::vector<unsigned char>* message, void* self) {
    auto* me = static_cast<MidiInput*>(self);
    if (message == nullptr || message->empty() || message->size() > 3) {
        return;
    }
    if ((*message)[0] >= 0x80 && (*message)[0] < 0xF0) {
        me->taken_.fetch_add(1, std::memory_order_release);
    }
    const std::size_t head = me->head_.load(std::memory_order_relaxed);
    const std::size_t tail = me->tail_.load(std::memory_order_acquire);
    if (head - tail >= kQueue) {
        me->dropped_.fetch_add(1, std::memory_order_relaxed);
        return;
    }
    Message& slot = me->queue_[head & (kQueue - 1)];
    slot.heardNs = steadyNs();
    slot.size = std::uint8_t(message->size());
    for (std::size_t i = 0; i < message->size(); ++i) {
        slot.bytes[i] = (*message)[i];
    }
    me->head_.store(head + 1, std::memory_order_release);
    me->wake();
}

void MidiInput::wake() {
    const std::uint64_t one = 1;
    [[maybe_unused]] const ssize_t written = ::write(wake_, &one, sizeof one);
}

void MidiInput::drain() {
    if (wake_ >= 0) {
        std::uint64_t count = 0;
        [[maybe_unused]] const ssize_t got = ::read(wake_, &count, sizeof count);
    }
    // The tail is read afresh each time: a receiver may close the port, which
    // drops what is left, before this loop goes on.
    for (int taken = 0;; ++taken) {
        const std::size_t tail = tail_.load(std::memory_order_relaxed);
        if (tail == head_.load(std::memory_order_acquire)) {
            break;
        }
        if (taken == kPerWake) {
            wake();  // the rest at the next turn of the event loop
            break;
        }
        const Message m = queue_[tail & (kQueue - 1)];
        tail_.store(tail + 1, std::memory_order_release);
        if (open_) {
            emit received(m);
        }
    }
}
