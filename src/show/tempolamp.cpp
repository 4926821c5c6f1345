#include "show/tempolamp.h"

#include <cmath>

#include "pedals/lampbits.h"
#include "pedals/portio.h"
#include "platform/hirestimer.h"
#include "platform/wincolor.h"
#include "show/pedalinterface.h"
#include "show/showcore.h"

TempoLamp::TempoLamp(ShowCore& core) : core_(core) {
    QObject::connect(&core_.beatTimer(), &HiResTimer::tick, &core_, [this] { beatOn(); });
    QObject::connect(&core_.beatOffTimer(), &HiResTimer::tick, &core_, [this] { beatOff(); });
    QObject::connect(&core_.lockOutTimer(), &HiResTimer::tick, &core_,
                     [this] { core_.endLockOut(); });
}

double TempoLamp::beatLength(double bpm) {
    if (!(bpm > 0) || !std::isfinite(bpm)) {
        return 0;
    }
    const double ms = 60.0 / bpm * 1000.0;
    return ms <= HiResTimer::kMaximumMs ? ms : 0;
}

void TempoLamp::restartCountIn() {
    CoreState& st = core_.rules();
    if (st.Bpm > 0 && st.Collegato) {
        core_.beatTimer().setEnabled(true);
        st.QuartiRimasti = quarti_;
    }
}

void TempoLamp::startFor(double bpm) {
    CoreState& st = core_.rules();
    HiResTimer& beat = core_.beatTimer();
    st.Bpm = bpm;
    const double beatMs = beatLength(st.Bpm);
    if (beatMs > 0) {
        beat.setInterval(beatMs);
        beat.setEnabled(true);
        st.QuartiRimasti = quarti_;
    } else {
        st.Bpm = 0;
        beat.setEnabled(false);
    }
}

void TempoLamp::beatOn() {
    CoreState& st = core_.rules();
    if (st.QuartiRimasti <= 0) {
        return;
    }
    LampBits::add(st.UscitaPorta, LampBits::kTempo);
    core_.services().port.writeData(st.UscitaPorta);
    core_.setLamp(ShowLamp::Connect, WinColor::kYellow);
    if (metroAudio_ == 1) {
        --st.QuartiRimasti;
    }
    core_.beatOffTimer().setEnabled(true);
    core_.publish();
}

void TempoLamp::beatOff() {
    CoreState& st = core_.rules();
    LampBits::remove(st.UscitaPorta, LampBits::kTempo);
    core_.services().port.writeData(st.UscitaPorta);
    core_.setLamp(ShowLamp::Connect, PedalInterface::restColour(core_.rules()));
    core_.beatOffTimer().setEnabled(false);
    core_.publish();
}
