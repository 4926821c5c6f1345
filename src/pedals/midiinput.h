#pragma once

#include <QObject>
#include <QString>
#include <array>
#include <atomic>
#include <cstdint>
#include <memory>

#include "pedals/jacklinks.h"
#include "pedals/midisystem.h"

class QSocketNotifier;
class RtMidiIn;

// One MIDI input port, listened to as its messages arrive: RtMidi's thread puts
// each short message in a lock-free queue and wakes the thread the input lives on
// through an eventfd, which hands the messages over in arrival order (received()),
// at most kPerWake of them per wake so that a flood leaves the rest of the program
// its turn. Longer messages (sysex), clock and active sensing are not taken (RtMidi
// drops the last two before they reach the queue). Moved to another thread (with
// the box it belongs to), it takes its eventfd's notifier along and hands the
// messages over there. Only the thread it lives on calls it, except the RtMidi
// callback.
class MidiInput : public QObject {
    Q_OBJECT
public:
    struct Message {
        std::uint8_t bytes[3] = {0, 0, 0};
        std::uint8_t size = 0;
        // When the message arrived, on the steady clock (ns), stamped on RtMidi's
        // thread: however late it is handed over, it says when the foot moved.
        std::int64_t heardNs = 0;
    };

    // How long ago (ms) a message stamped heardNs arrived.
    static double ageMs(std::int64_t heardNs);

    explicit MidiInput(MidiSystem::Api api = MidiSystem::Api::Automatic, QObject* parent = nullptr);
    ~MidiInput() override;

    // Opens the port named name (as MidiSystem compares names); false when the MIDI
    // system or the port is not there. Closes any port open before.
    bool open(const QString& name);
    void close();
    bool isOpen() const { return open_; }
    // Whether the port opened is still listed by the system (false once it vanished,
    // or its JACK server died).
    bool stillThere();
    // Whether the JACK server the input was opened on died since (see JackLinks).
    bool serverGone() const { return links_.serverGone(); }
    // Whether the port opened still feeds this input: false when its connection was
    // taken away (a patchbay, a session manager) while the port stayed. Known only
    // through JACK; elsewhere true.
    bool stillConnected();
    // False when short messages were heard on the port (at least two, by the call
    // before) and not one was handed over since: a system-exclusive
    // message that never ended holds the MIDI library's JACK input, which swallows
    // everything after it. Known only through JACK; elsewhere true, never a reason
    // to reopen: ALSA's sequencer makes messages of the controller's bytes itself,
    // a new one at the next status byte, and the library drops its system-exclusive
    // events unread, so nothing there waits for an end. Meant to be asked at a
    // steady pace, a few times a second.
    bool stillHearing();

    // Messages dropped because the queue was full.
    int dropped() const { return dropped_.load(std::memory_order_relaxed); }

    // The most messages handed over before the other events waiting get their turn.
    static constexpr int kPerWake = 64;

signals:
    void received(const MidiInput::Message& message);

private:
    static void arrived(double stamp, std::vector<unsigned char>* message, void* self);
    void drain();
    void wake();

    static constexpr std::size_t kQueue = 256;  // a power of two
    std::array<Message, kQueue> queue_{};
    std::atomic<std::size_t> head_{0};  // written by the RtMidi thread
    std::atomic<std::size_t> tail_{0};  // written by the input's own thread
    std::atomic<int> dropped_{0};
    std::atomic<std::uint64_t> taken_{0};  // short messages RtMidi handed over
    bool listening_ = false;
    // Short messages heard and none handed over, after which the input is deaf.
    static constexpr std::uint64_t kSwallowed = 2;
    std::uint64_t heardSince_ = 0;  // heard when the input last handed something over
    std::uint64_t heardThen_ = 0;   // heard at the last stillHearing()
    std::uint64_t takenThen_ = 0;   // handed over by then
    int wake_ = -1;                 // eventfd
    QSocketNotifier* notifier_ = nullptr;
    MidiSystem::Api api_;
    std::unique_ptr<RtMidiIn> in_;
    JackLinks links_;
    QString name_;
    bool open_ = false;
};
