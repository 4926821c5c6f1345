#include "playback/trackdecoder.h"

#include <algorithm>
#include <chrono>

#include "playback/soundfilereader.h"

TrackDecoder::TrackDecoder()
    : storage_(std::size_t(kBlockCount) * TrackBlock::kFrames * 2, 0.0f),
      blocks_(kBlockCount),
      filled_(kBlockCount),
      recycled_(kBlockCount) {
    spare_.reserve(kBlockCount);
    for (int i = 0; i < kBlockCount; ++i) {
        blocks_[std::size_t(i)].data = storage_.data() + std::size_t(i) * TrackBlock::kFrames * 2;
        spare_.push_back(&blocks_[std::size_t(i)]);
    }
    thread_ = std::thread([this] { run(); });
}

TrackDecoder::~TrackDecoder() {
    {
        std::lock_guard lock(mutex_);
        quit_ = true;
    }
    wake_.notify_all();
    thread_.join();
}

void TrackDecoder::request(std::uint64_t generation, const QString& path, std::int64_t frame,
                           bool reopen) {
    {
        std::lock_guard lock(mutex_);
        // A reopen that has not been served yet must stay a reopen even when a seek
        // follows before the thread wakes.
        const bool mustReopen = reopen || (hasRequest_ && next_.reopen);
        next_ = Request{generation, path, frame, mustReopen};
        hasRequest_ = true;
    }
    wake_.notify_one();
}

TrackBlock* TrackDecoder::takeFreeBlock() {
    TrackBlock* block = nullptr;
    while (recycled_.pop(block)) {
        spare_.push_back(block);
    }
    if (spare_.empty()) {
        return nullptr;
    }
    block = spare_.back();
    spare_.pop_back();
    return block;
}

void TrackDecoder::run() {
    SoundFileReader reader;
    QString openPath;
    std::uint64_t generation = 0;
    std::int64_t nextFrame = 0;
    bool streamDone = true;
    for (;;) {
        {
            std::unique_lock lock(mutex_);
            if (streamDone) {
                wake_.wait(lock, [this] { return quit_ || hasRequest_; });
            }
            if (quit_) {
                return;
            }
            if (hasRequest_) {
                const Request request = next_;
                hasRequest_ = false;
                lock.unlock();
                generation = request.generation;
                nextFrame = std::max<std::int64_t>(request.frame, 0);
                if (request.reopen || request.path != openPath) {
                    openPath = request.path;
                    reader.open(openPath);
                    lengthFrames_.store(reader.isOpen() ? reader.lengthFrames() : 0,
                                        std::memory_order_release);
                }
                if (reader.isOpen() && !reader.seek(nextFrame)) {
                    reader.close();
                }
                streamDone = false;
            }
        }
        TrackBlock* block = takeFreeBlock();
        if (block == nullptr) {
            // The voice has not used up what is decoded; look again shortly, or at
            // once when a new request comes in.
            std::unique_lock lock(mutex_);
            wake_.wait_for(lock, std::chrono::milliseconds(5),
                           [this] { return quit_ || hasRequest_; });
            continue;
        }
        const int got = reader.isOpen() ? reader.read(block->data, TrackBlock::kFrames) : 0;
        block->generation = generation;
        block->startFrame = nextFrame;
        block->frames = got;
        block->endOfStream = got < TrackBlock::kFrames;
        nextFrame += got;
        streamDone = block->endOfStream;
        // The pool and the queue have the same size, so this cannot fail.
        filled_.push(block);
    }
}
