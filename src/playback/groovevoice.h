#pragma once

#include <array>
#include <cstdint>

#include "playback/decodedaudio.h"
#include "playback/gainramp.h"
#include "playback/spscqueue.h"

// The groove voice, as it runs inside the audio callback: one decoded sound looping
// with a sample-exact wrap (pass after pass equals the decoded file repeated). A
// new sound replaces the old with a short crossfade, a stop fades out; a start from
// silence begins at full level on the file's first sample. Sounds it no longer
// needs are handed back through the return queue, never freed here.
class GrooveVoice {
public:
    static constexpr int kFadeFrames = 220;  // 5 ms at 44100 Hz

    // returned: the queue to the GUI side for sounds the voice has let go.
    explicit GrooveVoice(SpscQueue<const DecodedAudio*>& returned);

    // All audio thread: no allocation, no lock, no file access, no logging.
    // level: the sound's own linear gain (the levelling's), under the voice's gain;
    // from: the frame of the loop it begins at (past the first, it rises from silence).
    void play(const DecodedAudio* sound, float level = 1.0f, std::int64_t from = 0);
    void stop();
    void setGain(float gain);
    // Adds frames of the voice into out (interleaved stereo).
    void mixInto(float* out, int frames);
    // Whether any sound, fading or not, is still heard.
    bool isSounding() const;
    // The frame of its loop the sound not fading out is at; -1 when there is none.
    std::int64_t position() const;

private:
    struct Source {
        const DecodedAudio* sound = nullptr;
        std::int64_t position = 0;
        float envelope = 1.0f;
        float envelopeStep = 0.0f;  // per frame; negative while fading out
        bool fadingOut = false;
        float gainCeiling = 1e9f;  // highest gain while fading out
        float level = 1.0f;        // the sound's own gain
    };
    static constexpr int kMaxSources = 4;

    void beginFadeOut(Source& source);
    void mixSource(Source& source, float* out, int frames);
    void release(Source& source);
    void flushReturns();

    SpscQueue<const DecodedAudio*>& returned_;
    std::array<Source, kMaxSources> sources_{};
    std::array<const DecodedAudio*, 16> unreturned_{};  // returns the queue had no room for
    int unreturnedCount_ = 0;
    std::array<float, kMaxBlockFrames> gains_{};
    GainRamp gain_;
};
