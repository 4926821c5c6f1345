#include "playback/rateconverter.h"

#include <samplerate.h>

#include <cstring>

#include "playback/decodedaudio.h"

RateConverter::~RateConverter() {
    close();
}

bool RateConverter::open(AudioSource& source, int channels, double deviceRate) {
    close();
    int error = 0;
    state_ = src_callback_new(&RateConverter::pull, SRC_SINC_FASTEST, channels, &error, this);
    if (state_ == nullptr) {
        return false;
    }
    source_ = &source;
    channels_ = channels;
    ratio_ = deviceRate / kEngineRate;
    pull_.assign(std::size_t(kPullFrames) * std::size_t(channels), 0.0f);
    return true;
}

void RateConverter::close() {
    if (state_ != nullptr) {
        src_delete(state_);
        state_ = nullptr;
    }
}

// Audio thread: no allocation, lock, file access or logging.
void RateConverter::fill(float* out, long frames) {
    const long got = state_ != nullptr ? src_callback_read(state_, ratio_, frames, out) : 0;
    if (got < frames) {
        const long from = got > 0 ? got : 0;
        std::memset(out + std::size_t(from) * std::size_t(channels_), 0,
                    sizeof(float) * std::size_t(frames - from) * std::size_t(channels_));
    }
}

// Audio thread (called by the converter inside fill()): no allocation, lock, file
// access or logging.
long RateConverter::pull(void* self, float** data) {
    auto* converter = static_cast<RateConverter*>(self);
    converter->source_->renderChannels(converter->pull_.data(), kPullFrames, converter->channels_);
    *data = converter->pull_.data();
    return kPullFrames;
}
