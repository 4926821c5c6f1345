#include "show/preloadchain.h"

#include "platform/hirestimer.h"
#include "platform/wincolor.h"
#include "playback/groovesound.h"
#include "playback/wavevolume.h"
#include "show/showcore.h"

PreloadChain::PreloadChain(ShowCore& core) : core_(core) {
    QObject::connect(&core_.preMuteTimer(), &HiResTimer::tick, &core_,
                     [this] { prePreloadTick(); });
    QObject::connect(&core_.bufferTimer(), &HiResTimer::tick, &core_, [this] { preloadTick(); });
}

void PreloadChain::start() {
    core_.preMuteTimer().setEnabled(true);
}

bool PreloadChain::running() const {
    return core_.preMuteTimer().isEnabled() || core_.bufferTimer().isEnabled();
}

void PreloadChain::prePreloadTick() {
    const CoreState& st = core_.rules();
    if (st.LoopBrano) {
        core_.services().grooves.preload(st.FileGroove1);
    }
    core_.preMuteTimer().setEnabled(false);
    core_.bufferTimer().setEnabled(true);
}

void PreloadChain::preloadTick() {
    if (core_.preMuteTimer().isEnabled()) {
        // The preload was started again (Esc, Space) before this end came: it belongs
        // to the old run. The new run's first step starts its own end.
        core_.bufferTimer().setEnabled(false);
        return;
    }
    finish();
}

void PreloadChain::finish() {
    CoreState& st = core_.rules();
    if (st.LoopBrano) {
        // Stops only the preload's own sound, if it began at all.
        core_.services().grooves.endPreload();
    }
    core_.preMuteTimer().setEnabled(false);
    core_.bufferTimer().setEnabled(false);
    // Green says the song is ready to sound: not while a file of it is missing.
    if (st.allFound) {
        core_.setLamp(ShowLamp::Preload, WinColor::kLightGreen);
    }
    core_.services().waveVolume.setLevel(2 * core_.waveSlider());
    core_.publish();
}
