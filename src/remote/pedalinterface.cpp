#include "remote/pedalinterface.h"

#include "library/songgrid.h"

#include "app/audio.h"
#include "platform/hirestimer.h"
#include "platform/lamp.h"
#include "platform/prompter.h"
#include "platform/wincolor.h"
#include "playback/groovesound.h"
#include "playback/mediaplayer.h"
#include "remote/lampbits.h"
#include "remote/portio.h"

PedalInterface::PedalInterface(Audio& window) : w_(window) {}

QString PedalInterface::openFailedText() {
    return QStringLiteral("Apertura della porta parallela fallita.");
}

QString PedalInterface::absentText() {
    return QStringLiteral("Attenzione!!! L'interfaccia hardware non è connessa!");
}

QString PedalInterface::lostText() {
    return QStringLiteral("Attenzione!!! L'interfaccia hardware si è scollegata!");
}

void PedalInterface::Attiva() {
    PortIo& io = w_.IO1();
    SharedState& st = w_.state();
    AudioControls& c = w_.controls();
    porta_ = QStringLiteral("LPT1");
    const std::int16_t opened = std::int16_t(io.openPort(porta_, QString()));
    const int status = io.readStatus();
    if (opened == 0) {
        w_.services().prompter.tell(openFailedText());
        st.Collegato = false;
        return;
    }
    if (status & PortIo::kPresent) {
        st.Collegato = true;
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
        c.HiResTimer1->setEnabled(true);
        c.LedConnect->setBackColor(WinColor::kGreen);
        c.DBGrid1->setFocus();
        return;
    }
    w_.services().prompter.tell(absentText());
    dropBox();
}

void PedalInterface::dropBox() {
    AudioControls& c = w_.controls();
    c.HiResTimer1->setEnabled(false);
    c.TmrBpmOn->setEnabled(false);
    c.TmrBpmOff->setEnabled(false);
    w_.MediaPlayer1().stop();
    w_.IO1().writeData(0);
    w_.IO1().closePort();
    showDetached();
}

void PedalInterface::Disattiva() {
    AudioControls& c = w_.controls();
    c.HiResTimer1->setEnabled(false);
    c.TmrBpmOn->setEnabled(false);
    c.TmrBpmOff->setEnabled(false);
    w_.services().grooves.stop();
    w_.MediaPlayer1().stop();
    w_.IO1().writeData(0);
    w_.IO1().closePort();
    showDetached();
}

void PedalInterface::showDetached() {
    SharedState& st = w_.state();
    AudioControls& c = w_.controls();
    st.Collegato = false;
    c.LedConnect->setBackColor(WinColor::kRed);
    c.LedPed1->setBackColor(WinColor::kGrey);
    c.LedPed2->setBackColor(WinColor::kGrey);
    st.UscitaPorta = 0;
    st.Groove1Attivo = st.Groove2Attivo = false;
    st.Pedale1Gestito = st.Pedale2Gestito = false;
}
