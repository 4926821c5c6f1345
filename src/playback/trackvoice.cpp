#include "playback/trackvoice.h"

#include <algorithm>
#include <chrono>
#include <thread>

namespace {
// An offline render waits at most this long for the decoder before it gives up and
// leaves the rest of the block silent (only a broken decoder would take so long).
constexpr auto kOfflineWaitLimit = std::chrono::seconds(10);
}  // namespace

TrackVoice::TrackVoice(TrackDecoder& decoder, bool waitForData)
    : decoder_(decoder), waitForData_(waitForData) {}

// Audio thread: no allocation, lock, file access or logging.
void TrackVoice::play() {
    if (ended_) {
        return;
    }
    if (playing_ && !stopping_) {
        return;
    }
    if (stopping_) {
        // Fade back in from wherever the fade-out had got to.
        stopping_ = false;
    } else {
        playing_ = true;
        // From the top, into silence, the file starts on its first sample as it is;
        // anywhere else (or over the fading end of another track) it fades in.
        envelope_ = currentPosition_ == 0 && tail_ == nullptr ? 1.0f : 0.0f;
    }
    envelopeStep_ = envelope_ < 1.0f ? 1.0f / float(kFadeFrames) : 0.0f;
    sounding_.store(true, std::memory_order_release);
}

// Audio thread: no allocation, lock, file access or logging.
void TrackVoice::stop() {
    if (playing_ && !stopping_) {
        stopping_ = true;
        envelopeStep_ = -1.0f / float(kFadeFrames);
    }
}

// Audio thread: no allocation, lock, file access or logging.
void TrackVoice::seek(std::uint64_t generation, std::int64_t frame) {
    if (block_ != nullptr) {
        const int left = block_->frames - offset_;
        if (playing_ && left > 0 && envelope_ > 0.0f) {
            // What sounds now fades out; an older fade still running (seeks in quick
            // succession) gives way to it.
            if (tail_ != nullptr) {
                recycle(tail_);
            }
            tail_ = block_;
            tailOffset_ = offset_;
            tailEnvelope_ = envelope_;
            tailStep_ = -envelope_ / float(std::min(left, kFadeFrames));
        } else {
            recycle(block_);
        }
        block_ = nullptr;
    }
    currentGeneration_ = generation;
    currentPosition_ = frame;
    ended_ = false;
    if (stopping_) {
        finishStop();  // the tail carries the rest of the fade-out
    } else if (playing_) {
        envelope_ = 0.0f;
        envelopeStep_ = 1.0f / float(kFadeFrames);
    }
    position_.store(currentPosition_, std::memory_order_release);
    generation_.store(currentGeneration_, std::memory_order_release);
    dropStaleBlocks();
}

// Audio thread: no allocation, lock, file access or logging.
void TrackVoice::setGain(float gain) {
    if (playing_) {
        gain_.setTarget(gain);
    } else {
        gain_.jumpTo(gain);
    }
}

// Audio thread: no allocation, lock, file access or logging.
void TrackVoice::recycle(TrackBlock* block) {
    // The recycle queue is as large as the pool: it always has room.
    decoder_.recycled().push(block);
}

// Audio thread: no allocation, lock, file access or logging.
void TrackVoice::dropStaleBlocks() {
    while (TrackBlock* const* front = decoder_.filled().front()) {
        if ((*front)->generation >= currentGeneration_) {
            return;
        }
        TrackBlock* stale = nullptr;
        decoder_.filled().pop(stale);
        recycle(stale);
    }
}

// Audio thread: no allocation, lock, file access or logging.
bool TrackVoice::fetchBlock() {
    dropStaleBlocks();
    TrackBlock* const* front = decoder_.filled().front();
    if (front == nullptr || (*front)->generation != currentGeneration_) {
        return false;  // nothing decoded yet, or the command for it is still on its way
    }
    decoder_.filled().pop(block_);
    offset_ = 0;
    return true;
}

// Audio thread: no allocation, lock, file access or logging. Lets go of a used-up
// block; true when it was the stream's last, which ends the track.
bool TrackVoice::finishBlock() {
    if (block_ == nullptr || offset_ < block_->frames) {
        return false;
    }
    const bool last = block_->endOfStream;
    recycle(block_);
    block_ = nullptr;
    if (last) {
        ended_ = true;
        endedGeneration_.store(currentGeneration_, std::memory_order_release);
        finishStop();
    }
    return last;
}

// Audio thread: no allocation, lock, file access or logging.
void TrackVoice::finishStop() {
    playing_ = false;
    stopping_ = false;
    envelope_ = 1.0f;
    envelopeStep_ = 0.0f;
    sounding_.store(false, std::memory_order_release);
}

// Audio thread: no allocation, lock, file access or logging.
void TrackVoice::mixTail(float* out, int frames) {
    const float gain = gain_.value();
    const float* in = tail_->data + std::size_t(tailOffset_) * 2;
    const int count = std::min(frames, tail_->frames - tailOffset_);
    int used = 0;
    while (used < count && tailEnvelope_ > 0.0f) {
        out[2 * used] += gain * tailEnvelope_ * in[2 * used];
        out[2 * used + 1] += gain * tailEnvelope_ * in[2 * used + 1];
        tailEnvelope_ += tailStep_;
        ++used;
    }
    tailOffset_ += used;
    if (tailEnvelope_ <= 0.0f || tailOffset_ >= tail_->frames) {
        recycle(tail_);
        tail_ = nullptr;
    }
}

// Audio thread: no allocation, lock, file access or logging. Offline, it may sleep
// while waiting for the decoder; that runs on the caller's thread, never a device's.
void TrackVoice::mixInto(float* out, int frames) {
    if (tail_ != nullptr) {
        mixTail(out, frames);
    }
    if (!playing_) {
        dropStaleBlocks();
        for (int i = 0; i < frames && !gain_.isSteady(); ++i) {
            gain_.next();
        }
        return;
    }
    for (int i = 0; i < frames; ++i) {
        gains_[std::size_t(i)] = gain_.next();
    }
    int done = 0;
    auto waitStarted = std::chrono::steady_clock::time_point{};
    while (done < frames && playing_) {
        if (finishBlock()) {
            break;
        }
        if (block_ == nullptr && !fetchBlock()) {
            if (!waitForData_) {
                break;  // ran dry: the rest of this period stays silent
            }
            const auto now = std::chrono::steady_clock::now();
            if (waitStarted == std::chrono::steady_clock::time_point{}) {
                waitStarted = now;
            } else if (now - waitStarted > kOfflineWaitLimit) {
                break;
            }
            std::this_thread::sleep_for(std::chrono::microseconds(50));
            continue;
        }
        const int count = std::min(frames - done, block_->frames - offset_);
        const float* in = block_->data + std::size_t(offset_) * 2;
        float* dst = out + std::size_t(done) * 2;
        int used = 0;
        bool faded = false;
        for (; used < count; ++used) {
            const float gain = gains_[std::size_t(done + used)] * envelope_;
            dst[2 * used] += gain * in[2 * used];
            dst[2 * used + 1] += gain * in[2 * used + 1];
            if (envelopeStep_ != 0.0f) {
                envelope_ += envelopeStep_;
                if (envelope_ >= 1.0f) {
                    envelope_ = 1.0f;
                    envelopeStep_ = 0.0f;
                } else if (envelope_ <= 0.0f) {
                    ++used;
                    faded = true;
                    break;
                }
            }
        }
        offset_ += used;
        done += used;
        currentPosition_ += used;
        if (faded) {
            finishStop();
        }
    }
    if (playing_) {
        finishBlock();  // an end reached right at the end of the period counts now
    }
    position_.store(currentPosition_, std::memory_order_release);
}
