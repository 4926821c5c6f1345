#include "remote/maintick.h"

#include <QCheckBox>
#include <QScrollBar>
#include "library/songgrid.h"

#include "app/audio.h"
#include "config/mp3lookup.h"
#include "library/datasource.h"
#include "platform/clock.h"
#include "platform/hirestimer.h"
#include "platform/lamp.h"
#include "platform/numbertext.h"
#include "platform/prompter.h"
#include "platform/wincolor.h"
#include "playback/groovesound.h"
#include "playback/mediaplayer.h"
#include "playback/songpreparation.h"
#include "playback/trackloader.h"
#include "remote/diagnostica.h"
#include "remote/lampbits.h"
#include "remote/pedalinterface.h"
#include "remote/portio.h"

// What tells the two pedals apart.
struct MainTick::Pedal {
    int number;
    int mask;
    QString SharedState::*groove;
    QString SharedState::*file;
    bool SharedState::*attivo;
    bool SharedState::*gestito;
    std::int16_t lamp;
    Lamp* AudioControls::*led;
};

MainTick::MainTick(Audio& window)
    : w_(window), inizioGrooveMs_(window.services().clock.monotonicMs()) {
    QObject::connect(w_.controls().HiResTimer1, &HiResTimer::tick, [this] { tick(); });
    QObject::connect(&w_.IO1(), &PortIo::pedalEvent, w_.controls().HiResTimer1,
                     [this] { pedalEvent(); });
    // A box whose events arrive by themselves is looked at the moment the pedal
    // lock-out ends: a release that came inside it is taken then, so a press just
    // after it is never lost. A polled box waits for its next tick.
    QObject::connect(w_.controls().TmrIstrs, &HiResTimer::disarmed, w_.controls().HiResTimer1,
                     [this] {
                         if (w_.IO1().eventsArriveByThemselves()) {
                             pedalEvent();
                         }
                     });
}

void MainTick::tick() {
    lookAtStatus();
    playListAdvance();
}

void MainTick::pedalEvent() {
    // Only while the tick itself polls: a detached box's pedals do nothing.
    if (w_.controls().HiResTimer1->isEnabled()) {
        lookAtStatus();
    }
}

void MainTick::lookAtStatus() {
    SharedState& st = w_.state();
    const int s = w_.IO1().readStatus();
    if (st.Collegato && s != ultimoStato_ && !w_.controls().TmrIstrs->isEnabled()) {
        ultimoStato_ = s;
        static const Pedal one{1,
                               PortIo::kPedal1,
                               &SharedState::Groove1,
                               &SharedState::FileGroove1,
                               &SharedState::Groove1Attivo,
                               &SharedState::Pedale1Gestito,
                               LampBits::kPedal1,
                               &AudioControls::LedPed1};
        static const Pedal two{2,
                               PortIo::kPedal2,
                               &SharedState::Groove2,
                               &SharedState::FileGroove2,
                               &SharedState::Groove2Attivo,
                               &SharedState::Pedale2Gestito,
                               LampBits::kPedal2,
                               &AudioControls::LedPed2};
        handlePedal(s, one);
        handlePedal(s, two);
        if (s & PortIo::kLost) {
            boxLost();
        }
        w_.IO1().writeData(st.UscitaPorta);
        if (st.DiagAperta) {
            mirror(s);
        }
    }
}

void MainTick::handlePedal(int s, const Pedal& p) {
    SharedState& st = w_.state();
    AudioControls& c = w_.controls();
    // A pedal whose file is missing acts as one the song gives no file: it lights
    // nothing for a sound that cannot come.
    if ((st.*p.groove).isEmpty() || !w_.preparation().files().canSound(p.number) || !(s & p.mask)) {
        st.*p.gestito = false;  // a release re-arms the pedal
        return;
    }
    if (!(st.*p.gestito)) {
        if (!(st.*p.attivo)) {
            start(p);
        } else {
            stop(p);
        }
    }
    // Also while the pedal is still held from an earlier press.
    c.TmrIstrs->setEnabled(true);
    c.LedIstrs->setBackColor(WinColor::kRed);
}

void MainTick::start(const Pedal& p) {
    SharedState& st = w_.state();
    if (st.LoopBrano) {
        w_.services().grooves.play(st.*p.file);
    } else {
        w_.MediaPlayer1().play();
    }
    st.InizioGroove = float(w_.services().clock.timeOfDay());
    inizioGrooveMs_ = w_.services().clock.monotonicMs();
    st.*p.attivo = true;
    st.*p.gestito = true;
    LampBits::add(st.UscitaPorta, p.lamp);
    (w_.controls().*p.led)->setBackColor(WinColor::kRed);
    w_.controls().TmrBpmOn->setEnabled(false);
}

void MainTick::stop(const Pedal& p) {
    SharedState& st = w_.state();
    if (st.LoopBrano) {
        w_.services().grooves.stop();
    } else {
        w_.MediaPlayer1().stop();
        w_.MediaPlayer1().setPosition(0);
    }
    st.*p.attivo = false;
    st.*p.gestito = true;
    LampBits::remove(st.UscitaPorta, p.lamp);
    (w_.controls().*p.led)->setBackColor(WinColor::kGrey);
    w_.clearRitardi();
}

// The box was unplugged: detach without stopping a groove that sounds.
void MainTick::boxLost() {
    w_.pedalInterface().dropBox();
    w_.services().prompter.tell(PedalInterface::lostText());
}

void MainTick::mirror(int s) {
    SharedState& st = w_.state();
    Diagnostica& d = w_.diagnostica();
    // Measured on the clock that never jumps, so a delay across midnight is not
    // a day negative.
    const Clock& clock = w_.services().clock;
    const double now = clock.monotonicMs();
    d.appendRitardo(QStringLiteral("\nFine routine = ") +
                    NumberText::single(float(now - inizioGrooveMs_)));
    st.InizioGroove = float(clock.timeOfDay());
    inizioGrooveMs_ = now;
    d.mirrorStatus(s, st.Groove1Attivo, st.Groove2Attivo);
}

void MainTick::playListAdvance() {
    SharedState& st = w_.state();
    const double p = w_.MediaPlayer1().position();
    const bool ended = !w_.controls().Stopend->isChecked() && st.Collegato && st.Groove1Attivo &&
                       p == posizionePrec_;
    if (!ended) {
        posizionePrec_ = p == 0 ? 1 : p;
        return;
    }
    if (!startNextTrack()) {
        endPlayList();
    }
}

void MainTick::endPlayList() {
    SharedState& st = w_.state();
    st.Groove1Attivo = false;
    st.Pedale1Gestito = false;
    LampBits::remove(st.UscitaPorta, LampBits::kPedal1);
    w_.controls().LedPed1->setBackColor(WinColor::kGrey);
    w_.clearRitardi();
}

bool MainTick::startNextTrack() {
    SharedState& st = w_.state();
    DataSource& list = *w_.controls().Data2;
    list.moveNext();
    if (list.eof()) {
        list.movePrevious();
        return false;
    }
    st.Groove1 = list.value(QStringLiteral("Groove1")).toString();
    const QString path = Mp3Lookup::findPath(st.CartelleMp3, st.Groove1, w_.services().files);
    if (path.isEmpty()) {
        // The next song's file is in no folder: the play list stops here.
        return false;
    }
    TrackLoader::load(w_.MediaPlayer1(), path, w_.controls().HSVolumeMp3->value());
    w_.MediaPlayer1().play();
    w_.controls().DBGrid1->setFocus();
    return true;
}
