#pragma once

#include <array>
#include <atomic>
#include <cstdint>

#include "playback/decodedaudio.h"
#include "playback/gainramp.h"
#include "playback/trackdecoder.h"

// The track voice, as it runs inside the audio callback: plays the blocks the track
// decoder streams to it and counts the frames it has played. Its position is
// published through atomics for the GUI thread. Once the stream's last block has
// been played the voice stops by itself and its position stays exactly where the
// track ended. A stop fades out in a few milliseconds and keeps the place; a resume
// from the middle fades in.
class TrackVoice {
public:
    static constexpr int kFadeFrames = 220;  // 5 ms at 44100 Hz

    // waitForData: offline rendering, where the voice waits for the decoder instead
    // of running dry, so that the result never depends on thread timing.
    TrackVoice(TrackDecoder& decoder, bool waitForData);

    // Audio thread: no allocation, lock, file access or logging (except the offline
    // wait, which runs on the caller's thread and only sleeps).
    void play();
    void stop();
    void seek(std::uint64_t generation, std::int64_t frame);
    void setGain(float gain);
    void mixInto(float* out, int frames);

    // Any thread: what the voice has published.
    std::uint64_t generation() const { return generation_.load(std::memory_order_acquire); }
    std::int64_t positionFrames() const { return position_.load(std::memory_order_acquire); }
    std::uint64_t endedGeneration() const {
        return endedGeneration_.load(std::memory_order_acquire);
    }
    bool isSounding() const { return sounding_.load(std::memory_order_acquire); }

private:
    bool fetchBlock();
    void dropStaleBlocks();
    void recycle(TrackBlock* block);
    bool finishBlock();
    void mixTail(float* out, int frames);
    void finishStop();

    TrackDecoder& decoder_;
    const bool waitForData_;
    TrackBlock* block_ = nullptr;
    int offset_ = 0;
    // What was sounding when a seek or a load came: faded out from its own block
    // while the new stream starts, so the change never clicks.
    TrackBlock* tail_ = nullptr;
    int tailOffset_ = 0;
    float tailEnvelope_ = 0.0f;
    float tailStep_ = 0.0f;
    std::uint64_t currentGeneration_ = 0;
    std::int64_t currentPosition_ = 0;
    bool playing_ = false;
    bool stopping_ = false;
    bool ended_ = false;
    float envelope_ = 1.0f;
    float envelopeStep_ = 0.0f;
    GainRamp gain_;
    std::array<float, kMaxBlockFrames> gains_{};

    std::atomic<std::uint64_t> generation_{0};
    std::atomic<std::int64_t> position_{0};
    std::atomic<std::uint64_t> endedGeneration_{0};
    std::atomic<bool> sounding_{false};
};
