#include "remote/tempolamp.h"

#include <cmath>

#include "app/audio.h"
#include "platform/hirestimer.h"
#include "platform/lamp.h"
#include "platform/wincolor.h"
#include "remote/lampbits.h"
#include "remote/portio.h"

TempoLamp::TempoLamp(Audio& window) : w_(window) {
    AudioControls& c = w_.controls();
    QObject::connect(c.TmrBpmOn, &HiResTimer::tick, [this] { beatOn(); });
    QObject::connect(c.TmrBpmOff, &HiResTimer::tick, [this] { beatOff(); });
    QObject::connect(c.TmrIstrs, &HiResTimer::tick, [this] { lockOutOver(); });
}

double TempoLamp::beatLength(double bpm) {
    if (!(bpm > 0) || !std::isfinite(bpm)) {
        return 0;
    }
    const double ms = 60.0 / bpm * 1000.0;
    return ms <= HiResTimer::kMaximumMs ? ms : 0;
}

void TempoLamp::restartCountIn() {
    SharedState& st = w_.state();
    if (st.Bpm > 0 && st.Collegato) {
        w_.controls().TmrBpmOn->setEnabled(true);
        st.QuartiRimasti = st.Quarti;
    }
}

void TempoLamp::beatOn() {
    SharedState& st = w_.state();
    if (st.QuartiRimasti <= 0) {
        return;
    }
    LampBits::add(st.UscitaPorta, LampBits::kTempo);
    w_.IO1().writeData(st.UscitaPorta);
    w_.controls().LedConnect->setBackColor(WinColor::kYellow);
    if (st.MetroAudio == 1) {
        --st.QuartiRimasti;
    }
    w_.controls().TmrBpmOff->setEnabled(true);
}

void TempoLamp::beatOff() {
    SharedState& st = w_.state();
    LampBits::remove(st.UscitaPorta, LampBits::kTempo);
    w_.IO1().writeData(st.UscitaPorta);
    w_.controls().LedConnect->setBackColor(WinColor::kGreen);
    w_.controls().TmrBpmOff->setEnabled(false);
}

void TempoLamp::lockOutOver() {
    // The lamp first: ending the lock-out may at once take a press that starts
    // another one.
    w_.controls().LedIstrs->setBackColor(WinColor::kLightGreen);
    w_.controls().TmrIstrs->setEnabled(false);
}
