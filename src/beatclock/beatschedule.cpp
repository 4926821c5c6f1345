#include "beatclock/beatschedule.h"

#include <algorithm>
#include <cmath>

double BeatSchedule::tickFrames(double bpm, double rate) {
    if (!(bpm > 0) || !(rate > 0)) {
        return 0;
    }
    return rate * 60.0 / (bpm * kTicksPerBeat);
}

void BeatSchedule::countIn(double from, int beats) {
    if (running_ || beats <= 0) {
        return;
    }
    anchor_ = from;
    next_ = 0;
    countLeft_ = std::int64_t(beats) * kTicksPerBeat;
}

// An event due before the period (the news came late) goes out at its start.
void BeatSchedule::add(Events& e, double at, std::int64_t start, std::uint32_t frames,
                       std::uint8_t byte) {
    if (e.count >= kMaxEvents) {
        return;
    }
    const double offset = std::clamp(std::floor(at - double(start)), 0.0, double(frames - 1));
    e.at[std::size_t(e.count++)] = Event{std::uint32_t(offset), byte};
}

void BeatSchedule::ticks(Events& e, std::int64_t start, std::uint32_t frames, double until,
                         const FrameMap& map) {
    const double end = std::min(until, double(start + std::int64_t(frames)));
    while (step_ > 0 && (running_ || countLeft_ > 0)) {
        const double at = map.toOut(anchor_ + double(next_) * step_);
        if (at >= end || e.count >= kMaxEvents) {
            return;
        }
        add(e, at, start, frames, kTick);
        ++next_;
        if (!running_ && --countLeft_ == 0) {
            return;
        }
    }
}

// The ticks before the end, then Stop.
void BeatSchedule::stop(Events& e, std::int64_t start, std::uint32_t frames, double at,
                        const FrameMap& map) {
    ticks(e, start, frames, at, map);
    running_ = false;
    add(e, at, start, frames, kStop);
}

BeatSchedule::Events BeatSchedule::period(std::int64_t start, std::uint32_t frames,
                                          const TimelineSnapshot& timeline, const FrameMap& map,
                                          double tickFrames) {
    Events e;
    if (frames == 0) {
        return e;
    }
    // A new tempo holds from the next tick on.
    if (tickFrames > 0 && tickFrames != step_) {
        if (step_ > 0) {
            anchor_ += double(next_) * step_;
            next_ = 0;
        }
        step_ = tickFrames;
    }
    if (!seen_) {
        // A performance already under way when the clock begins: its grid, without
        // a Start that would come too late.
        seen_ = true;
        starts_ = timeline.starts;
        stops_ = timeline.stops;
        if (timeline.performing && step_ > 0) {
            running_ = true;
            anchor_ = double(timeline.startFrame);
            next_ = std::max<std::int64_t>(
                0, std::int64_t(std::ceil((map.toEngine(double(start)) - anchor_) / step_)));
        }
    }
    const bool stopped = timeline.stops != stops_;
    const bool started = timeline.starts != starts_;
    stops_ = timeline.stops;
    starts_ = timeline.starts;
    const double stopAt = map.toOut(double(timeline.stopFrame));
    // An end and a beginning in one period go out in the order they happened.
    if (stopped && running_ && (!started || timeline.stopFrame <= timeline.startFrame)) {
        stop(e, start, frames, stopAt, map);
    }
    if (started && step_ > 0) {
        // Late news: Start and the ticks already due go out at once, the grid stays
        // the groove's.
        const double at = std::max(map.toOut(double(timeline.startFrame)), double(start));
        if (running_) {
            stop(e, start, frames, at, map);
        }
        add(e, at, start, frames, kStart);
        running_ = true;
        countLeft_ = 0;
        anchor_ = double(timeline.startFrame);
        next_ = 0;
    }
    if (stopped && running_ && !timeline.performing) {
        stop(e, start, frames, stopAt, map);
    }
    ticks(e, start, frames, double(start + std::int64_t(frames)), map);
    // Offsets never go back: late news goes out at the period's start, before the
    // ticks. In place and stable, without allocating.
    for (int i = 1; i < e.count; ++i) {
        const Event moving = e.at[std::size_t(i)];
        int j = i;
        for (; j > 0 && e.at[std::size_t(j - 1)].offset > moving.offset; --j) {
            e.at[std::size_t(j)] = e.at[std::size_t(j - 1)];
        }
        e.at[std::size_t(j)] = moving;
    }
    return e;
}
