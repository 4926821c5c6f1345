#include "beatclock/threadbeatclock.h"

#include <RtMidi.h>
#include <pthread.h>
#include <sched.h>

#include <chrono>

#include "playback/decodedaudio.h"
#include "playback/enginetimeline.h"

namespace {

using Steady = std::chrono::steady_clock;

// The steady clock counted in the engine's frames.
std::int64_t framesOf(Steady::time_point t) {
    const auto ns = std::chrono::duration_cast<std::chrono::nanoseconds>(t.time_since_epoch());
    return std::int64_t(double(ns.count()) * kEngineRate / 1e9);
}

Steady::time_point timeOf(std::int64_t frames) {
    return Steady::time_point(
        std::chrono::nanoseconds(std::int64_t(double(frames) * 1e9 / kEngineRate)));
}

// A millisecond of the engine's frames: how far ahead each look goes.
constexpr std::uint32_t kLookFrames = kEngineRate / 1000;
// Below the show thread's priority: a pedal comes first.
constexpr int kClockPriority = 4;

}  // namespace

ThreadBeatClock::ThreadBeatClock(const EngineTimeline& timeline, MidiSystem::Api api)
    : timeline_(timeline), api_(api) {}

ThreadBeatClock::~ThreadBeatClock() {
    close();
}

QStringList ThreadBeatClock::sendTo(const QStringList& ports) {
    std::vector<Port> open;
    QStringList reached;
    {
        std::lock_guard<std::mutex> lock(portsMutex_);
        for (Port& p : ports_) {
            if (ports.contains(p.name)) {
                reached << p.name;
                open.push_back(std::move(p));
            }
        }
    }
    for (const QString& name : ports) {
        if (reached.contains(name)) {
            continue;
        }
        std::unique_ptr<RtMidiOut> out = MidiSystem::makeOutput(api_);
        const int index = out ? MidiSystem::indexOf(*out, name) : -1;
        if (index < 0) {
            continue;
        }
        try {
            out->openPort(unsigned(index), "clock");
            open.push_back({name, std::move(out)});
            reached << name;
        } catch (const RtMidiError&) {
        }
    }
    std::vector<Port> old;
    {
        std::lock_guard<std::mutex> lock(portsMutex_);
        old.swap(ports_);
        ports_ = std::move(open);
    }
    if (!reached.isEmpty() && !thread_.joinable()) {
        stop_.store(false);
        thread_ = std::thread([this] { run(); });
    }
    return reached;
}

void ThreadBeatClock::close() {
    if (thread_.joinable()) {
        stop_.store(true);
        thread_.join();
    }
    std::lock_guard<std::mutex> lock(portsMutex_);
    ports_.clear();
}

void ThreadBeatClock::countIn(int beats) {
    countInBeats_.store(beats, std::memory_order_relaxed);
    countInAsked_.fetch_add(1, std::memory_order_release);
}

void ThreadBeatClock::send(std::uint8_t byte) {
    const std::vector<unsigned char> message{byte};
    std::lock_guard<std::mutex> lock(portsMutex_);
    for (Port& p : ports_) {
        try {
            p.out->sendMessage(&message);
        } catch (const RtMidiError&) {
        }
    }
}

void ThreadBeatClock::run() {
    sched_param param{};
    param.sched_priority = kClockPriority;
    pthread_setschedparam(pthread_self(), SCHED_FIFO, &param);  // normal priority otherwise
    BeatSchedule schedule;
    std::uint64_t countInTaken = 0;
    std::int64_t start = framesOf(Steady::now());
    while (!stop_.load()) {
        const TimelineSnapshot t = timeline_.read();
        // Where the engine's last period began, on the same count.
        const BeatSchedule::FrameMap map{
            framesOf(Steady::time_point(std::chrono::nanoseconds(t.callbackNs))), t.callbackStart,
            1.0};
        const std::uint64_t asked = countInAsked_.load(std::memory_order_acquire);
        if (asked != countInTaken) {
            countInTaken = asked;
            schedule.countIn(map.toEngine(double(start)),
                             countInBeats_.load(std::memory_order_relaxed));
        }
        const double tick =
            BeatSchedule::tickFrames(bpm_.load(std::memory_order_acquire), kEngineRate);
        const BeatSchedule::Events events = schedule.period(start, kLookFrames, t, map, tick);
        for (int i = 0; i < events.count; ++i) {
            const BeatSchedule::Event& e = events.at[std::size_t(i)];
            std::this_thread::sleep_until(timeOf(start + e.offset));
            send(e.byte);
        }
        start += kLookFrames;
        std::this_thread::sleep_until(timeOf(start));
        // A thread held up for long goes on from now, not through what it missed.
        const std::int64_t now = framesOf(Steady::now());
        if (now - start > std::int64_t(kEngineRate) / 10) {
            start = now;
        }
    }
}
