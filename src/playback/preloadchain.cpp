#include "playback/preloadchain.h"

#include <QScrollBar>

#include "app/audio.h"
#include "platform/hirestimer.h"
#include "platform/lamp.h"
#include "platform/wincolor.h"
#include "playback/groovesound.h"
#include "playback/songpreparation.h"
#include "playback/wavevolume.h"

PreloadChain::PreloadChain(Audio& window) : w_(window) {
    QObject::connect(w_.controls().TmrPrePreload, &HiResTimer::tick, [this] { prePreloadTick(); });
    QObject::connect(w_.controls().TmrPreload, &HiResTimer::tick, [this] { preloadTick(); });
}

void PreloadChain::prePreloadTick() {
    if (w_.state().LoopBrano) {
        w_.services().grooves.preload(w_.state().FileGroove1);
    }
    w_.controls().TmrPrePreload->setEnabled(false);
    w_.controls().TmrPreload->setEnabled(true);
}

bool PreloadChain::running(const AudioControls& c) {
    return c.TmrPrePreload->isEnabled() || c.TmrPreload->isEnabled();
}

void PreloadChain::preloadTick() {
    AudioControls& c = w_.controls();
    if (c.TmrPrePreload->isEnabled()) {
        // The preload was started again (Esc, Space) before this end came: it belongs
        // to the old run. The new run's first step starts its own end.
        c.TmrPreload->setEnabled(false);
        return;
    }
    if (w_.state().LoopBrano) {
        w_.services().grooves.endPreload();
    }
    c.TmrPreload->setEnabled(false);
    // Green says the song is ready to sound: not while a file of it is missing.
    if (w_.preparation().files().allFound()) {
        c.LedPreload->setBackColor(WinColor::kLightGreen);
    }
    w_.Volume1().setLevel(2 * c.Vol1->value());
}
