#pragma once

#include <QString>
#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <thread>
#include <vector>

#include "playback/spscqueue.h"
#include "playback/trackblock.h"

// Streams the loaded track (an MP3 or any file the reader knows) to the track voice.
// Its own thread decodes ahead into a fixed pool of blocks, as far as the pool goes
// (about three seconds), so that a start right after a load or a seek sounds at once.
// Filled blocks go to the voice through filled(); the voice gives them back through
// recycled(). Both queues are lock-free; only requests from the GUI thread take the
// decoder's mutex. Every stream ends with an end-of-stream block, even for a file
// that cannot be read, so a voice waiting for data always gets an answer.
class TrackDecoder {
public:
    static constexpr int kBlockCount = 128;

    TrackDecoder();
    ~TrackDecoder();
    TrackDecoder(const TrackDecoder&) = delete;
    TrackDecoder& operator=(const TrackDecoder&) = delete;

    // GUI thread: start a new stream of the given generation at frame (44100 Hz).
    // An empty path gives an empty stream. reopen reads the file afresh (a load);
    // otherwise the open file is only repositioned (a seek).
    void request(std::uint64_t generation, const QString& path, std::int64_t frame, bool reopen);

    // The voice's ends of the two queues (audio thread).
    SpscQueue<TrackBlock*>& filled() { return filled_; }
    SpscQueue<TrackBlock*>& recycled() { return recycled_; }

    // Total length of the latest opened file in frames, 0 when none (any thread).
    std::int64_t lengthFrames() const { return lengthFrames_.load(std::memory_order_acquire); }

private:
    struct Request {
        std::uint64_t generation = 0;
        QString path;
        std::int64_t frame = 0;
        bool reopen = false;
    };

    void run();
    TrackBlock* takeFreeBlock();

    std::vector<float> storage_;
    std::vector<TrackBlock> blocks_;
    SpscQueue<TrackBlock*> filled_;
    SpscQueue<TrackBlock*> recycled_;
    std::vector<TrackBlock*> spare_;  // decoder thread's free blocks

    std::mutex mutex_;
    std::condition_variable wake_;
    Request next_;
    bool hasRequest_ = false;
    bool quit_ = false;
    std::atomic<std::int64_t> lengthFrames_{0};
    std::thread thread_;
};
