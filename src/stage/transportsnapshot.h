#pragma once

#include <QString>
#include <array>
#include <cstdint>

// The song a window shows for the stage: its fields as texts, empty when it has none.
struct StageSong {
    QString title;
    QString author;
    QString page;
    QString capo;
    QString bpm;

    bool operator==(const StageSong&) const = default;
};

// One look at the transport: what is prepared, what sounds and for how long, the
// MP3's place, the songs that come next and the lamps. Plain data, compared whole
// so that a change is signalled once.
struct TransportSnapshot {
    // What sounds: groove 1 or the MP3 (pedal 1), groove 2 (pedal 2).
    static constexpr int kFirst = 1;
    static constexpr int kSecond = 2;
    // The lamps, in the order the stage shows them.
    enum LampIndex { kTempo, kPedal1, kPedal2, kPreload, kLockOut, kLampCount };

    bool prepared = false;    // a song was prepared since the start
    StageSong song;           // the song prepared (or moved on to by the play list)
    bool loop = false;        // a loop song (grooves) or an MP3 song
    QString next;             // the title after it in its list; empty at the end
    QString cued;             // the title marked to be prepared when the sound stops
    bool autoNext = false;    // the next song is prepared by itself when this one ends
    int sounding = 0;         // kFirst | kSecond bits
    int soundingSeconds = 0;  // whole seconds it has sounded (an MP3: its own place)
    bool mp3 = false;         // an MP3 is playing
    int mp3Elapsed = 0;       // whole seconds played
    int mp3Remaining = 0;     // whole seconds left, 0 when the length is not known
    int mp3Permille = 0;      // 0 to 1000 of the track played
    std::array<std::int64_t, kLampCount> lamps{};  // stored colour values
    QString alert;  // a device the show waits for (empty: nothing amiss)

    // What the stage says of the next song: "Segue: ...", or with the next song
    // prepared by itself the end of the running order, and the seconds left of the
    // MP3 that sounds before it comes ("Successivo tra 2:10"); empty: nothing.
    QString nextLine() const;
    QString countdownLine() const;

    bool operator==(const TransportSnapshot&) const = default;
};
