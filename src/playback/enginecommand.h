#pragma once

#include <cstdint>

#include "playback/clickvoice.h"

struct DecodedAudio;

// One request from a commanding thread to the audio callback, passed by value
// through the engine's command queue. Plain data only: the callback reads it without
// allocating. A groove sound travels as a raw pointer; the commanding side keeps the
// owning shared_ptr until the callback hands the pointer back.
struct EngineCommand {
    enum class Kind : std::uint8_t {
        PlayGroove,  // sound, gain (its level), frame (where it begins): replace the groove, loop
        StopGroove,  // fade the groove out
        GrooveGain,  // gain: linear groove gain
        TrackPlay,   // start or resume the track voice
        TrackStop,   // fade the track out and hold its place
        TrackSeek,   // generation, frame: the track's stream restarts at frame
        TrackGain,   // gain: linear track gain
        ClickSchedule,  // click: count-in clicks, firstFrame counted from the command's arrival
        ClickCancel,    // drop the clicks still to come
        FadeIn,         // the whole mix rises from silence (the output is back after a loss)
    };
    Kind kind = Kind::StopGroove;
    const DecodedAudio* sound = nullptr;
    float gain = 0.0f;
    std::uint64_t generation = 0;
    std::int64_t frame = 0;
    ClickVoice::Schedule click;
};
