#include "playback/preloadchain.h"

#include <QScrollBar>

#include "app/audio.h"
#include "platform/hirestimer.h"
#include "platform/lamp.h"
#include "platform/wincolor.h"
#include "playback/groovesound.h"
#include "playback/wavevolume.h"

PreloadChain::PreloadChain(Audio& window) : w_(window) {
    QObject::connect(w_.controls().TmrPrePreload, &HiResTimer::tick, [this] { prePreloadTick(); });
    QObject::connect(w_.controls().TmrPreload, &HiResTimer::tick, [this] { preloadTick(); });
}

void PreloadChain::prePreloadTick() {
    if (w_.state().LoopBrano) {
        w_.services().grooves.play(w_.state().FileGroove1);
    }
    w_.controls().TmrPrePreload->setEnabled(false);
    w_.controls().TmrPreload->setEnabled(true);
}

void PreloadChain::preloadTick() {
    if (w_.state().LoopBrano) {
        w_.services().grooves.stop();
    }
    w_.controls().TmrPreload->setEnabled(false);
    w_.controls().LedPreload->setBackColor(WinColor::kLightGreen);
    w_.Volume1().setLevel(2 * w_.controls().Vol1->value());
}
