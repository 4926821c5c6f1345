#include "show/pedalinterface.h"

#include "pedals/lampbits.h"
#include "pedals/portio.h"
#include "platform/hirestimer.h"
#include "platform/wincolor.h"
#include "playback/groovesound.h"
#include "playback/mediaplayer.h"
#include "show/showcore.h"

QString PedalInterface::openFailedText() {
    return QStringLiteral("Apertura della porta parallela fallita.");
}

QString PedalInterface::absentText() {
    return QStringLiteral("Attenzione!!! L'interfaccia hardware non è connessa!");
}

QString PedalInterface::lostText() {
    return QStringLiteral("Attenzione!!! L'interfaccia hardware si è scollegata!");
}

QString PedalInterface::Attiva(ShowCore& core) {
    PortIo& io = core.services().port;
    CoreState& st = core.rules();
    const std::int16_t opened = std::int16_t(io.openPort(QStringLiteral("LPT1"), QString()));
    const int status = io.readStatus();
    if (opened == 0) {
        st.Collegato = false;
        return openFailedText();
    }
    if (status & PortIo::kPresent) {
        st.Collegato = true;
        st.boxAway = false;
        io.setMode(5);
        // A second connect while grooves sound keeps their lamps lit; on a normal
        // connect nothing sounds and the box receives exactly the interface lamp.
        st.UscitaPorta = LampBits::kInterfaceOn;
        if (st.Groove1Attivo) {
            LampBits::add(st.UscitaPorta, LampBits::kPedal1);
        }
        if (st.Groove2Attivo) {
            LampBits::add(st.UscitaPorta, LampBits::kPedal2);
        }
        io.writeData(st.UscitaPorta);
        core.pollTimer().setEnabled(true);
        core.setLamp(ShowLamp::Connect, WinColor::kGreen);
        return {};
    }
    dropBox(core);
    return absentText();
}

std::int64_t PedalInterface::restColour(const CoreState& st) {
    return st.Collegato && !st.boxAway ? WinColor::kGreen : WinColor::kRed;
}

void PedalInterface::stopTimers(ShowCore& core) {
    core.pollTimer().setEnabled(false);
    core.beatTimer().setEnabled(false);
    core.beatOffTimer().setEnabled(false);
}

void PedalInterface::dropBox(ShowCore& core) {
    stopTimers(core);
    core.services().player.stop();
    core.services().port.writeData(0);
    core.services().port.closePort();
    showDetached(core);
}

void PedalInterface::Disattiva(ShowCore& core) {
    stopTimers(core);
    core.services().grooves.stop();
    core.services().player.stop();
    core.services().port.writeData(0);
    core.services().port.closePort();
    showDetached(core);
}

void PedalInterface::showDetached(ShowCore& core) {
    CoreState& st = core.rules();
    st.Collegato = false;
    st.boxAway = false;
    core.setLamp(ShowLamp::Connect, WinColor::kRed);
    core.setLamp(ShowLamp::Pedal1, WinColor::kGrey);
    core.setLamp(ShowLamp::Pedal2, WinColor::kGrey);
    st.UscitaPorta = 0;
    st.Groove1Attivo = st.Groove2Attivo = false;
    st.Pedale1Gestito = st.Pedale2Gestito = false;
}
