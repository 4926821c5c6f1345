#pragma once

class ShowCore;

// The silent preload after a song is prepared: TmrPrePreload plays groove 1 with
// the wave output muted, TmrPreload stops it, turns the preload lamp green and
// gives the volume back (twice the value of Vol1). For an MP3 song the timers still
// run their course. What the performer starts while it runs is left alone: the
// preload neither replaces nor stops it. On the show core's thread.
class PreloadChain {
public:
    explicit PreloadChain(ShowCore& core);

    // Starts the preload (again).
    void start();
    // Whether a preload runs (the wave output is held silent until it ends).
    bool running() const;
    // Ends a preload that runs at once, as its own end would (the sound back after a
    // crash does not wait for it).
    void finish();

private:
    void prePreloadTick();
    void preloadTick();

    ShowCore& core_;
};
