#include "show/maintick.h"

#include "config/mp3lookup.h"
#include "pedals/lampbits.h"
#include "pedals/portio.h"
#include "platform/clock.h"
#include "platform/hirestimer.h"
#include "platform/numbertext.h"
#include "playback/groovesound.h"
#include "playback/mediaplayer.h"
#include "playback/trackloader.h"
#include "show/pedalinterface.h"
#include "show/showcore.h"

// What tells the two pedals apart.
struct MainTick::Pedal {
    int number;
    int mask;
    QString CoreState::*groove;
    QString CoreState::*file;
    bool CoreState::*attivo;
    bool CoreState::*gestito;
    std::int16_t lamp;
    ShowLamp led;
};

const MainTick::Pedal MainTick::kOne{1,
                                     PortIo::kPedal1,
                                     &CoreState::Groove1,
                                     &CoreState::FileGroove1,
                                     &CoreState::Groove1Attivo,
                                     &CoreState::Pedale1Gestito,
                                     LampBits::kPedal1,
                                     ShowLamp::Pedal1};
const MainTick::Pedal MainTick::kTwo{2,
                                     PortIo::kPedal2,
                                     &CoreState::Groove2,
                                     &CoreState::FileGroove2,
                                     &CoreState::Groove2Attivo,
                                     &CoreState::Pedale2Gestito,
                                     LampBits::kPedal2,
                                     ShowLamp::Pedal2};

MainTick::MainTick(ShowCore& core)
    : core_(core), inizioGrooveMs_(core.services().clock.monotonicMs()) {
    QObject::connect(&core_.pollTimer(), &HiResTimer::tick, &core_, [this] { tick(); });
    QObject::connect(&core_.services().port, &PortIo::pedalEvent, &core_, [this] { pedalEvent(); });
    // A box whose events arrive by themselves is looked at the moment the pedal
    // lock-out ends: a release that came inside it is taken then, so a press just
    // after it is never lost. A polled box waits for its next tick.
    QObject::connect(&core_.lockOutTimer(), &HiResTimer::disarmed, &core_, [this] {
        if (core_.services().port.eventsArriveByThemselves()) {
            pedalEvent();
        }
    });
}

void MainTick::tick() {
    lookAtStatus();
    playListAdvance();
    trackEnd();
    core_.publish();
    emit core_.ticked();
}

void MainTick::pedalEvent() {
    // Only while the tick itself polls: a detached box's pedals do nothing.
    if (core_.pollTimer().isEnabled()) {
        lookAtStatus();
        core_.publish();
    }
}

void MainTick::lookAtStatus() {
    CoreState& st = core_.rules();
    PortIo& io = core_.services().port;
    if (io.eventsArriveByThemselves() && core_.lockOutOverdue()) {
        // The lock-out's timer is late (the program was busy): the lock-out ended at
        // its moment, so what the box reported since counts as after it. Its end
        // looks at the status.
        core_.endLockOut();
        return;
    }
    const int s = io.readStatus();
    if (st.Collegato && bool(s & PortIo::kAway) != st.boxAway) {
        // The controller went away or came back by itself: the show goes on meanwhile,
        // and the connection lamp says which.
        st.boxAway = s & PortIo::kAway;
        core_.setLamp(ShowLamp::Connect, PedalInterface::restColour(st));
    }
    const int pedals = PortIo::kPedal1 | PortIo::kPedal2;
    if (io.eventsArriveByThemselves()) {
        if (core_.lockOutTimer().isEnabled()) {
            releasedInLockOut_ |= ultimoStato_ & ~s & pedals;
        } else if (releasedInLockOut_ != 0) {
            // A release inside the lock-out and a press after its end, read together
            // (the program was busy at its end): the pedal went up in between.
            const int again = releasedInLockOut_ & s;
            releasedInLockOut_ = 0;
            if (again != 0 && io.lastEventMs() >= core_.lockOutEndMs()) {
                ultimoStato_ &= ~again;
                if (again & PortIo::kPedal1) {
                    st.Pedale1Gestito = false;
                }
                if (again & PortIo::kPedal2) {
                    st.Pedale2Gestito = false;
                }
            }
        }
    }
    if (st.Collegato && s != ultimoStato_ && !core_.lockOutTimer().isEnabled()) {
        ultimoStato_ = s;
        handlePedal(s, kOne);
        handlePedal(s, kTwo);
        if (s & PortIo::kLost) {
            // The box was unplugged: detach without stopping a groove that sounds.
            PedalInterface::dropBox(core_);
            emit core_.told(PedalInterface::lostText());
        }
        io.writeData(st.UscitaPorta);
        if (core_.diagnosticsOpen()) {
            mirror(s);
        }
    }
}

void MainTick::handlePedal(int s, const Pedal& p) {
    CoreState& st = core_.rules();
    // A pedal whose file is missing acts as one the song gives no file: it lights
    // nothing for a sound that cannot come.
    if ((st.*p.groove).isEmpty() || !st.canSound[std::size_t(p.number - 1)] || !(s & p.mask)) {
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
    core_.startLockOut(core_.services().port.lastEventMs());
}

void MainTick::start(const Pedal& p, double from) {
    CoreState& st = core_.rules();
    const CoreServices& s = core_.services();
    if (st.LoopBrano && from > 0) {
        s.grooves.playFrom(st.*p.file, std::int64_t(from));
    } else if (st.LoopBrano) {
        s.grooves.play(st.*p.file);
    } else {
        if (from > 0) {
            s.player.setPosition(from);
        }
        s.player.play();
    }
    st.InizioGroove = float(s.clock.timeOfDay());
    inizioGrooveMs_ = s.clock.monotonicMs();
    st.*p.attivo = true;
    st.*p.gestito = true;
    LampBits::add(st.UscitaPorta, p.lamp);
    core_.setLamp(p.led, WinColor::kRed);
    core_.beatTimer().setEnabled(false);
    core_.soundStarted();
}

bool MainTick::resume(int pedal, double from) {
    CoreState& st = core_.rules();
    const Pedal& p = pedal == 2 ? kTwo : kOne;
    if (!st.Collegato || (st.*p.groove).isEmpty() || !st.canSound[std::size_t(p.number - 1)] ||
        (pedal == 2 && !st.LoopBrano)) {
        return false;
    }
    start(p, from);
    return true;
}

void MainTick::stop(const Pedal& p) {
    CoreState& st = core_.rules();
    const CoreServices& s = core_.services();
    if (st.LoopBrano) {
        s.grooves.stop();
    } else {
        s.player.stop();
        s.player.setPosition(0);
    }
    st.*p.attivo = false;
    st.*p.gestito = true;
    LampBits::remove(st.UscitaPorta, p.lamp);
    core_.setLamp(p.led, WinColor::kGrey);
    emit core_.delaysCleared();
    // A stop stops the whole song, whichever groove sounded.
    core_.soundEnded();
}

void MainTick::mirror(int s) {
    CoreState& st = core_.rules();
    // Measured on the clock that never jumps, so a delay across midnight is not
    // a day negative.
    const Clock& clock = core_.services().clock;
    const double now = clock.monotonicMs();
    emit core_.delayLogged(QStringLiteral("\nFine routine = ") +
                           NumberText::single(float(now - inizioGrooveMs_)));
    st.InizioGroove = float(clock.timeOfDay());
    inizioGrooveMs_ = now;
    emit core_.statusSeen(s, st.Groove1Attivo, st.Groove2Attivo);
}

void MainTick::playListAdvance() {
    const CoreState& st = core_.rules();
    const double p = core_.services().player.position();
    const bool ended = !st.stopAtEnd && st.Collegato && st.Groove1Attivo && p == posizionePrec_;
    if (!ended) {
        posizionePrec_ = p == 0 ? 1 : p;
        return;
    }
    if (!startNextTrack()) {
        endPlayList();
    }
}

void MainTick::endPlayList() {
    CoreState& st = core_.rules();
    st.Groove1Attivo = false;
    st.Pedale1Gestito = false;
    LampBits::remove(st.UscitaPorta, LampBits::kPedal1);
    core_.setLamp(ShowLamp::Pedal1, WinColor::kGrey);
    emit core_.delaysCleared();
    core_.soundEnded();
}

void MainTick::trackEnd() {
    // The MP3 a pedal started played to its end with "Stop dopo ogni brano" ticked:
    // the song has ended though its lamp stays lit until the pedal stops it.
    const CoreState& st = core_.rules();
    const MediaPlayer& player = core_.services().player;
    if (!st.LoopBrano && st.stopAtEnd && st.Collegato && st.Groove1Attivo && !player.isPlaying() &&
        player.position() > 0) {
        core_.soundEnded();
    }
}

bool MainTick::startNextTrack() {
    CoreState& st = core_.rules();
    const CoreServices& s = core_.services();
    const int next = st.playListRow + 1;
    if (st.playListRow < 0 || next >= core_.runningOrder().size()) {
        return false;
    }
    st.playListRow = next;
    st.Groove1 = core_.runningOrder().at(next);
    emit core_.playListMoved(next);
    const QString path = Mp3Lookup::findPath(core_.mp3Folders(), st.Groove1, s.files);
    if (path.isEmpty()) {
        // The next song's file is in no folder: the play list stops here.
        return false;
    }
    TrackLoader::load(s.player, path, core_.mp3Volume());
    s.player.play();
    return true;
}
