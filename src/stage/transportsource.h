#pragma once

#include <array>
#include <cstdint>
#include <functional>

#include "stage/transportsnapshot.h"

// Where the transport model looks: small functions the program hands in, so the
// model holds no widget and tests can feed it plain values. GUI thread only.
struct TransportSource {
    // Whether a song was prepared since the start, and its fields.
    std::function<bool()> prepared;
    std::function<StageSong()> song;
    std::function<bool()> loop;
    // The title after the prepared song in its list; empty at the end.
    std::function<QString()> next;
    // TransportSnapshot::kFirst or kSecond: what really sounds (0: silence), whoever
    // started it.
    std::function<int()> sounding;
    // The MP3 player: playing, place and length in seconds.
    std::function<bool()> mp3Playing;
    std::function<double()> mp3Position;
    std::function<double()> mp3Length;
    // "Prepara il successivo" is ticked (null: never).
    std::function<bool()> autoNext;
    // What the performer must know at once: a device the show waits for (null or
    // empty: nothing).
    std::function<QString()> alert;
    // The lamps' colour values, in TransportSnapshot's lamp order.
    std::function<std::array<std::int64_t, TransportSnapshot::kLampCount>()> lamps;
};
