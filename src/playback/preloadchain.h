#pragma once

class Audio;
struct AudioControls;

// The silent preload after a song is prepared: TmrPrePreload plays groove 1 with
// the wave output muted, TmrPreload stops it, turns LedPreload green and gives the
// volume back (twice the value of Vol1). For an MP3 song the timers still run
// their course. What the performer starts while it runs is left alone: the
// preload neither replaces nor stops it. GUI thread only.
class PreloadChain {
public:
    explicit PreloadChain(Audio& window);

    // Whether a preload runs (the wave output is held silent until it ends).
    static bool running(const AudioControls& c);

private:
    void prePreloadTick();
    void preloadTick();

    Audio& w_;
};
