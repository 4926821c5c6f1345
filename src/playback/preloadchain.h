#pragma once

class Audio;

// The silent preload after a song is prepared: TmrPrePreload plays groove 1 with
// the wave output muted, TmrPreload stops it, turns LedPreload green and gives the
// volume back (twice the value of Vol1). For an MP3 song the timers still run
// their course. GUI thread only.
class PreloadChain {
public:
    explicit PreloadChain(Audio& window);

private:
    void prePreloadTick();
    void preloadTick();

    Audio& w_;
};
