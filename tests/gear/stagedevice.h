#pragma once

#include <RtMidi.h>

#include <QCoreApplication>
#include <QString>
#include <chrono>
#include <functional>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

// A device on stage for the tests, on the JACK server: it records every message
// that reaches its input port "<name>:in". It can be unplugged and plugged in
// again (its client closes and opens anew, as a restarted program's would).
class StageDevice {
public:
    using Bytes = std::vector<unsigned char>;

    explicit StageDevice(std::string name, bool plugged = true) : name_(std::move(name)) {
        if (plugged) {
            plug();
        }
    }

    QString port() const { return QString::fromStdString(name_) + QStringLiteral(":in"); }

    void plug() {
        in_ = std::make_unique<RtMidiIn>(RtMidi::UNIX_JACK, name_);
        in_->ignoreTypes(false, true, true);
        in_->setCallback(&StageDevice::arrived, this);
        in_->openVirtualPort("in");
    }
    void unplug() { in_.reset(); }

    std::vector<Bytes> received() {
        std::lock_guard<std::mutex> lock(mutex_);
        return received_;
    }
    void clear() {
        std::lock_guard<std::mutex> lock(mutex_);
        received_.clear();
    }
    // What arrived once at least count messages did (or five seconds passed), with
    // whatever follows them within a moment.
    std::vector<Bytes> await(std::size_t count) {
        waitUntil([&] { return received().size() >= count; });
        settle();
        return received();
    }

    // Lets the test's events run until done() holds or five seconds passed.
    static bool waitUntil(const std::function<bool()>& done, int ms = 5000) {
        for (int i = 0; i < ms; ++i) {
            QCoreApplication::processEvents();
            if (done()) {
                return true;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
        return done();
    }
    // Lets messages in flight arrive (a few JACK periods).
    static void settle() {
        waitUntil([] { return false; }, 200);
    }

private:
    static void arrived(double, Bytes* message, void* self) {
        auto* me = static_cast<StageDevice*>(self);
        std::lock_guard<std::mutex> lock(me->mutex_);
        me->received_.push_back(*message);
    }

    std::string name_;
    std::unique_ptr<RtMidiIn> in_;
    std::mutex mutex_;
    std::vector<Bytes> received_;
};
