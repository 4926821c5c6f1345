#pragma once

#include <array>
#include <cstdint>

#include "playback/enginetimeline.h"

// The beat clock's rules, period by period, in the output's frames: Start (0xFA)
// on the first frame of the performer's sound with the first tick beside it, then
// a tick (0xF8) every 1/24 of a quarter note at the prepared song's tempo, Stop
// (0xFC) on the frame the sound ends. The ticks are counted in the engine's own
// frames, so that they stay with the groove even when the output lost periods (a
// stalled server): each is placed where its engine frame is heard. A new tempo holds
// from the next tick, so the ticks never jump. The count-in may be sent as ticks alone (no Start),
// so that a delay pedal has the tempo before the song begins. Without a tempo no clock is started.
// Plain arithmetic: no allocation, no lock, for a real-time thread.
class BeatSchedule {
public:
    static constexpr std::uint8_t kTick = 0xF8;
    static constexpr std::uint8_t kStart = 0xFA;
    static constexpr std::uint8_t kStop = 0xFC;
    static constexpr int kTicksPerBeat = 24;

    struct Event {
        std::uint32_t offset = 0;  // frames from the period's first
        std::uint8_t byte = 0;
    };
    // More than a period of 8192 frames at 300 BPM and 48 kHz holds.
    static constexpr int kMaxEvents = 64;
    struct Events {
        std::array<Event, kMaxEvents> at{};
        int count = 0;
    };

    // Where an engine frame falls in the output's frames: outFrame + (engine -
    // engineFrame) * ratio.
    struct FrameMap {
        std::int64_t outFrame = 0;
        std::int64_t engineFrame = 0;
        double ratio = 1.0;
        double toOut(double engine) const {
            return double(outFrame) + (engine - double(engineFrame)) * ratio;
        }
        double toEngine(double out) const {
            return double(engineFrame) + (out - double(outFrame)) / ratio;
        }
    };

    // Frames between two ticks at bpm at rate; 0 without a tempo.
    static double tickFrames(double bpm, double rate);

    // A count-in of beats beginning at the engine's frame from (ticks only).
    void countIn(double from, int beats);

    // The events of the output's period [start, start + frames): what the timeline
    // says began or ended, and the ticks due, tickFrames engine frames apart (0: no
    // tempo); map places the engine's frames in the output's.
    Events period(std::int64_t start, std::uint32_t frames, const TimelineSnapshot& timeline,
                  const FrameMap& map, double tickFrames);

    bool running() const { return running_; }

private:
    void add(Events& e, double at, std::int64_t start, std::uint32_t frames, std::uint8_t byte);
    // Ticks of the grid in force (anchor + n * step) that fall before until.
    void ticks(Events& e, std::int64_t start, std::uint32_t frames, double until,
               const FrameMap& map);
    void stop(Events& e, std::int64_t start, std::uint32_t frames, double at, const FrameMap& map);

    bool seen_ = false;  // the timeline was looked at once
    std::uint64_t starts_ = 0;
    std::uint64_t stops_ = 0;
    bool running_ = false;
    double anchor_ = 0;  // the engine frame of tick 0 of the grid in force
    std::int64_t next_ = 0;
    double step_ = 0;
    std::int64_t countLeft_ = 0;  // count-in ticks still to give
};
