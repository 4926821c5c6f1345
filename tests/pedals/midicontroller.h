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

// A MIDI foot controller for the tests, on the JACK server: it sends pedal
// messages from its port "<name>:pedals" and records the lamp messages that reach
// its port "<name>_luci:leds". It can be unplugged and plugged in again.
class MidiController {
public:
    using Bytes = std::vector<unsigned char>;

    explicit MidiController(std::string name = "Pedaliera") : name_(std::move(name)) { plug(); }
    // The ports close first: a lamp message arriving meanwhile finds its list still there.
    ~MidiController() { unplug(); }

    QString pedalsPort() const { return QString::fromStdString(name_) + ":pedals"; }
    QString lampsPort() const { return QString::fromStdString(name_) + "_luci:leds"; }

    void plug() {
        out_ = std::make_unique<RtMidiOut>(RtMidi::UNIX_JACK, name_);
        out_->openVirtualPort("pedals");
        in_ = std::make_unique<RtMidiIn>(RtMidi::UNIX_JACK, name_ + "_luci");
        in_->ignoreTypes(false, !hearsClock_, true);
        in_->setCallback(&MidiController::arrived, this);
        in_->openVirtualPort("leds");
    }
    // Records the beat clock's messages too (from the next plug()).
    void hearClock() {
        hearsClock_ = true;
        unplug();
        plug();
    }
    void unplug() {
        out_.reset();
        in_.reset();
    }

    void send(unsigned char a, unsigned char b, unsigned char c) { send(Bytes{a, b, c}); }
    void send(const Bytes& m) { out_->sendMessage(&m); }
    void noteOn(int note, int channel = 0) { send(0x90 | channel, note, 100); }
    void noteOff(int note, int channel = 0) { send(0x80 | channel, note, 0); }
    void control(int number, int value, int channel = 0) { send(0xB0 | channel, number, value); }

    std::vector<Bytes> lampMessages() {
        std::lock_guard<std::mutex> lock(mutex_);
        return received_;
    }
    // The lamp messages once at least count of them arrived (or five seconds passed),
    // and whatever follows them within a moment.
    std::vector<Bytes> awaitLampMessages(std::size_t count) {
        waitUntil([&] { return lampMessages().size() >= count; });
        settle();
        return lampMessages();
    }
    void clearLampMessages() {
        std::lock_guard<std::mutex> lock(mutex_);
        received_.clear();
    }

    // Lets the program's events run until done() holds or five seconds passed (a
    // loaded machine may be slow to run JACK's clients).
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
        auto* me = static_cast<MidiController*>(self);
        std::lock_guard<std::mutex> lock(me->mutex_);
        me->received_.push_back(*message);
    }

    std::string name_;
    bool hearsClock_ = false;
    std::unique_ptr<RtMidiOut> out_;
    std::unique_ptr<RtMidiIn> in_;
    std::mutex mutex_;
    std::vector<Bytes> received_;
};
