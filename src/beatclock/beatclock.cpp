#include "beatclock/beatclock.h"

#include "beatclock/jackbeatclock.h"
#include "beatclock/threadbeatclock.h"
#include "platform/hirestimer.h"

BeatClock::BeatClock(const EngineTimeline& timeline, OutputInfo output, Clock& clock,
                     QObject* parent)
    : QObject(parent),
      output_(std::move(output)),
      jack_(std::make_unique<JackBeatClock>(timeline)),
      thread_(std::make_unique<ThreadBeatClock>(timeline, MidiSystem::Api::Automatic)) {
    watch_ = new HiResTimer(clock, QStringLiteral("TmrClockMidi"), kWatchMs, this);
    connect(watch_, &HiResTimer::tick, this, &BeatClock::watch);
}

BeatClock::~BeatClock() = default;

void BeatClock::setOptions(const BeatClockOptions& options) {
    options_ = options;
    countIn_.store(options.countIn, std::memory_order_release);
    watch_->setEnabled(!options_.ports.isEmpty());
    watch();
}

bool BeatClock::onJack() const {
    return jack_->isOpen() && !jack_->gone();
}

void BeatClock::songPrepared(double bpm, int countInBeats) {
    jack_->setTempo(bpm);
    thread_->setTempo(bpm);
    if (countInBeats > 0 && bpm > 0 && countIn_.load(std::memory_order_acquire)) {
        jack_->countIn(countInBeats);
        thread_->countIn(countInBeats);
    }
}

void BeatClock::watch() {
    if (jack_->isOpen() && (jack_->gone() || options_.ports.isEmpty())) {
        jack_->close();
        followed_.clear();
        follows_ = false;
    }
    reached_.clear();
    if (options_.ports.isEmpty()) {
        thread_->close();
        return;
    }
    if (!jack_->isOpen() && --jackWait_ <= 0) {
        jackWait_ = jack_->open() ? 0 : kJackRetryLooks;
    }
    if (!jack_->isOpen()) {
        reached_ = thread_->sendTo(options_.ports);
        return;
    }
    thread_->close();
    const QString client = output_ ? output_() : QString();
    if (!follows_ || client != followed_) {
        follows_ = jack_->follow(client);
        followed_ = client;
    }
    jack_->calibrate();
    reached_ = jack_->sendTo(options_.ports);
}
