#include "playback/groovevoice.h"

#include <algorithm>

GrooveVoice::GrooveVoice(SpscQueue<const DecodedAudio*>& returned) : returned_(returned) {}

// Audio thread: no allocation, lock, file access or logging.
void GrooveVoice::play(const DecodedAudio* sound, float level, std::int64_t from) {
    bool othersAudible = false;
    for (Source& source : sources_) {
        if (source.sound == nullptr) {
            continue;
        }
        othersAudible = true;
        if (!source.fadingOut) {
            beginFadeOut(source);
        }
    }
    if (sound == nullptr || sound->frames() == 0) {
        if (sound != nullptr) {
            Source empty;
            empty.sound = sound;
            release(empty);
        }
        return;
    }
    // A free slot, or else the quietest fading sound gives up its place.
    Source* slot = nullptr;
    for (Source& source : sources_) {
        if (source.sound == nullptr) {
            slot = &source;
            break;
        }
        if (slot == nullptr || source.envelope < slot->envelope) {
            slot = &source;
        }
    }
    if (slot->sound != nullptr) {
        release(*slot);
    }
    slot->sound = sound;
    slot->position = from > 0 ? from % sound->frames() : 0;
    slot->fadingOut = false;
    slot->level = level;
    // Mid-loop it rises from silence: it would click at full level.
    if (othersAudible || slot->position > 0) {
        slot->envelope = 0.0f;
        slot->envelopeStep = 1.0f / float(kFadeFrames);
    } else {
        slot->envelope = 1.0f;
        slot->envelopeStep = 0.0f;
    }
}

// Audio thread: no allocation, lock, file access or logging. A sound on its way out
// may get quieter with the level but never louder: the end of the muted preload
// (stop, then the level comes back) must stay silent.
void GrooveVoice::beginFadeOut(Source& source) {
    source.fadingOut = true;
    source.envelopeStep = -1.0f / float(kFadeFrames);
    source.gainCeiling = gain_.value();
}

std::int64_t GrooveVoice::position() const {
    for (const Source& source : sources_) {
        if (source.sound != nullptr && !source.fadingOut) {
            return source.position;
        }
    }
    return -1;
}

// Audio thread: no allocation, lock, file access or logging.
void GrooveVoice::stop() {
    for (Source& source : sources_) {
        if (source.sound != nullptr && !source.fadingOut) {
            beginFadeOut(source);
        }
    }
}

// Audio thread: no allocation, lock, file access or logging.
void GrooveVoice::setGain(float gain) {
    if (isSounding()) {
        gain_.setTarget(gain);
    } else {
        gain_.jumpTo(gain);
    }
}

// Audio thread: no allocation, lock, file access or logging.
bool GrooveVoice::isSounding() const {
    for (const Source& source : sources_) {
        if (source.sound != nullptr) {
            return true;
        }
    }
    return false;
}

// Audio thread: no allocation, lock, file access or logging.
void GrooveVoice::mixInto(float* out, int frames) {
    flushReturns();
    if (!isSounding()) {
        // Keep the gain's glide in step with time even while nothing sounds.
        for (int i = 0; i < frames && !gain_.isSteady(); ++i) {
            gain_.next();
        }
        return;
    }
    for (int i = 0; i < frames; ++i) {
        gains_[std::size_t(i)] = gain_.next();
    }
    for (Source& source : sources_) {
        if (source.sound != nullptr) {
            mixSource(source, out, frames);
        }
    }
}

// Audio thread: no allocation, lock, file access or logging.
void GrooveVoice::mixSource(Source& source, float* out, int frames) {
    const float* samples = source.sound->samples.data();
    const std::int64_t length = source.sound->frames();
    std::int64_t position = source.position;
    float envelope = source.envelope;
    float step = source.envelopeStep;
    const float ceiling = source.gainCeiling;
    const float level = source.level;
    bool faded = false;
    for (int i = 0; i < frames; ++i) {
        const float gain = std::min(gains_[std::size_t(i)], ceiling) * envelope * level;
        out[2 * i] += gain * samples[2 * position];
        out[2 * i + 1] += gain * samples[2 * position + 1];
        if (++position == length) {
            position = 0;
        }
        if (step != 0.0f) {
            envelope += step;
            if (envelope >= 1.0f) {
                envelope = 1.0f;
                step = 0.0f;
            } else if (envelope <= 0.0f) {
                faded = true;
                break;
            }
        }
    }
    source.position = position;
    source.envelope = envelope;
    source.envelopeStep = step;
    if (faded) {
        release(source);
    }
}

// Audio thread: no allocation, lock, file access or logging.
void GrooveVoice::release(Source& source) {
    flushReturns();
    if (!returned_.push(source.sound) && unreturnedCount_ < int(unreturned_.size())) {
        unreturned_[std::size_t(unreturnedCount_++)] = source.sound;
    }
    source = Source{};
}

// Audio thread: no allocation, lock, file access or logging.
void GrooveVoice::flushReturns() {
    while (unreturnedCount_ > 0 && returned_.push(unreturned_[std::size_t(unreturnedCount_ - 1)])) {
        --unreturnedCount_;
    }
}
