#pragma once

#include <array>
#include <atomic>
#include <cstdint>

#include "playback/audiosource.h"
#include "playback/clickvoice.h"
#include "playback/enginecommand.h"
#include "playback/enginetimeline.h"
#include "playback/gainramp.h"
#include "playback/groovevoice.h"
#include "playback/spscqueue.h"
#include "playback/trackvoice.h"

// The audio callback's side of the engine: takes the commands queued by the GUI
// thread, then mixes the groove voice and the track voice into the output. Counts
// the callbacks and frames it has served, for tests and diagnostics.
class Mixer : public AudioSource {
    static_assert(std::atomic<std::int64_t>::is_always_lock_free &&
                      std::atomic<std::uint64_t>::is_always_lock_free,
                  "the audio callback publishes its state through lock-free atomics");

public:
    static constexpr std::size_t kQueueSize = 1024;

    // waitForTrack: offline rendering (the track voice waits for its decoder).
    Mixer(TrackDecoder& decoder, bool waitForTrack);

    // The commanding side's ends of the queues (one thread at a time: the engine's
    // command lock).
    SpscQueue<EngineCommand>& commands() { return commands_; }
    SpscQueue<const DecodedAudio*>& returnedSounds() { return returned_; }

    // Audio thread: no allocation, lock, file access or logging.
    void renderAudio(float* out, int frames) override;
    // Channels 3 and 4 (when channels >= 4) carry the click routed to the in-ear
    // monitors; further channels are silent. Audio thread, as renderAudio.
    void renderChannels(float* out, int frames, int channels) override;

    // Any thread.
    const TrackVoice& track() const { return track_; }
    std::int64_t framesRendered() const { return frames_.load(std::memory_order_acquire); }
    std::int64_t callbackCount() const { return callbacks_.load(std::memory_order_acquire); }
    bool grooveSounding() const { return grooveSounding_.load(std::memory_order_acquire); }
    // The frame of its loop the groove is at, as of the last period; -1: none.
    std::int64_t grooveFrame() const { return grooveFrame_.load(std::memory_order_acquire); }
    // The most frames any one callback has asked for.
    int largestCallbackFrames() const { return largestCallback_.load(std::memory_order_acquire); }
    // Where the performance stands, as of the last period.
    const EngineTimeline& timeline() const { return timeline_; }

private:
    void applyCommands();
    // The performer's sound began or ended at frame (a command, or the MP3's end).
    void perform(bool groove, bool track, std::int64_t frame);
    // Renders frames (at most kMaxBlockFrames) of the main mix into main and the
    // monitor pair into monitor (null: none), both interleaved stereo.
    void renderBlock(float* main, float* monitor, int frames);

    SpscQueue<EngineCommand> commands_;
    SpscQueue<const DecodedAudio*> returned_;
    GrooveVoice groove_;
    TrackVoice track_;
    ClickVoice click_;
    GainRamp rise_;              // the whole mix, rising after the output came back
    std::int64_t position_ = 0;  // frames rendered, audio thread's own count
    std::array<float, std::size_t(kMaxBlockFrames) * 2> mainBlock_{};
    std::array<float, std::size_t(kMaxBlockFrames) * 2> monitorBlock_{};
    std::atomic<std::int64_t> frames_{0};
    std::atomic<std::int64_t> callbacks_{0};
    std::atomic<bool> grooveSounding_{false};
    std::atomic<std::int64_t> grooveFrame_{-1};
    std::atomic<int> largestCallback_{0};
    // The performer's sound, as the commands left it: the audio thread's own.
    bool grooveOn_ = false;
    bool trackOn_ = false;
    std::uint64_t trackEndSeen_ = 0;  // the track voice's end count last looked at
    TimelineSnapshot now_;
    EngineTimeline timeline_;
};
