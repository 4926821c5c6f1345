#include "show/showcore.h"

#include <algorithm>

#include "platform/clock.h"

#include "pedals/lampbits.h"
#include "pedals/portio.h"
#include "platform/hirestimer.h"
#include "playback/groovesound.h"
#include "playback/mediaplayer.h"
#include "playback/trackloader.h"
#include "playback/wavevolume.h"
#include "show/maintick.h"
#include "show/pedalinterface.h"
#include "show/preloadchain.h"
#include "show/tempolamp.h"

ShowCore::ShowCore(const CoreServices& services, QObject* parent)
    : QObject(parent),
      s_(services),
      poll_(new HiResTimer(s_.clock, QStringLiteral("HiResTimer1"), 40, this)),
      lockOut_(new HiResTimer(s_.clock, QStringLiteral("TmrIstrs"), 500, this)),
      beatOn_(new HiResTimer(s_.clock, QStringLiteral("TmrBpmOn"), 600, this)),
      beatOff_(new HiResTimer(s_.clock, QStringLiteral("TmrBpmOff"), 80, this)),
      preMute_(new HiResTimer(s_.clock, QStringLiteral("TmrPrePreload"), 200, this)),
      buffer_(new HiResTimer(s_.clock, QStringLiteral("TmrPreload"), 700, this)) {
    setObjectName(QStringLiteral("ShowCore"));
    // Its copies travel to the windows' thread.
    qRegisterMetaType<CoreState>();
    state_.InizioGroove = float(s_.clock.timeOfDay());
    tempo_ = std::make_unique<TempoLamp>(*this);
    tick_ = std::make_unique<MainTick>(*this);
    // A detached box's pedals do nothing, these two included.
    connect(&s_.port, &PortIo::stepAsked, this, [this](int step) {
        if (state_.Collegato) {
            emit stepAsked(step);
        }
    });
    connect(&s_.port, &PortIo::pageAsked, this, [this](int page) {
        if (state_.Collegato) {
            emit pageAsked(page);
        }
    });
    preload_ = std::make_unique<PreloadChain>(*this);
    if (s_.click) {
        new CountInClick(
            *beatOn_, *s_.click, [this] { return click_; }, this);
    }
}

ShowCore::~ShowCore() = default;

void ShowCore::publish() {
    if (state_ == published_) {
        return;
    }
    ++state_.publication;
    published_ = state_;
    emit changed(state_);
}

void ShowCore::soundStarted() {
    ended_ = false;
    starts_.fetch_add(1, std::memory_order_acq_rel);
}

void ShowCore::soundEnded() {
    if (!ended_) {
        ended_ = true;
        emit songEnded(starts());
    }
}

void ShowCore::setLamp(ShowLamp lamp, std::int64_t color) {
    state_.lamps[std::size_t(lamp)] = color;
}

void ShowCore::startLockOut(double sinceMs) {
    const double full = lockOut_->interval();
    const double late = sinceMs < 0 ? 0 : std::max(0.0, s_.clock.monotonicMs() - sinceMs);
    if (late > 0 && late >= full) {
        return;
    }
    if (late > 0) {
        lockOut_->startWithFirst(full - late);
    } else {
        lockOut_->setEnabled(true);
    }
    lockOutUntilMs_ = s_.clock.monotonicMs() + (full - late);
    setLamp(ShowLamp::LockOut, WinColor::kRed);
}

bool ShowCore::lockOutOverdue() const {
    return lockOut_->isEnabled() && s_.clock.monotonicMs() >= lockOutUntilMs_;
}

void ShowCore::endLockOut() {
    // The lamp first: ending the lock-out may at once take a press that starts
    // another one.
    setLamp(ShowLamp::LockOut, WinColor::kLightGreen);
    publish();
    lockOut_->setEnabled(false);
}

void ShowCore::attach() {
    if (elsewhere([this] { attach(); })) {
        return;
    }
    const QString failure = PedalInterface::Attiva(*this);
    publish();
    if (!failure.isEmpty()) {
        emit told(failure);
    }
}

void ShowCore::detach() {
    if (elsewhere([this] { detach(); })) {
        return;
    }
    PedalInterface::Disattiva(*this);
    publish();
}

void ShowCore::close() {
    if (elsewhere([this] { close(); })) {
        return;
    }
    s_.port.writeData(0);
    PedalInterface::Disattiva(*this);
    s_.grooves.stop();
    publish();
}

void ShowCore::silence() {
    s_.waveVolume.setLevel(0);
    state_.FileGroove1.clear();
    state_.FileGroove2.clear();
    if (state_.LoopBrano) {
        s_.grooves.stop();
    } else {
        s_.player.stop();
    }
}

void ShowCore::resetLamps() {
    CoreState& st = state_;
    setLamp(ShowLamp::Preload, WinColor::kRed);
    st.Groove1Attivo = false;
    st.Pedale1Gestito = false;
    setLamp(ShowLamp::Pedal1, WinColor::kGrey);
    emit delaysCleared();
    st.Groove2Attivo = false;
    st.Pedale2Gestito = false;
    st.UscitaPorta = LampBits::kInterfaceOn;
    setLamp(ShowLamp::Pedal2, WinColor::kGrey);
}

void ShowCore::prepare(const PreparedSong& song, const GearMessages& gear) {
    if (elsewhere([this, song, gear] { prepare(song, gear); })) {
        return;
    }
    CoreState& st = state_;
    if (!st.Collegato) {
        return;
    }
    ++st.prepared;
    ended_ = true;
    silence();
    resetLamps();
    st.Groove1 = song.groove1 == QLatin1String(" ") ? QString() : song.groove1;
    st.Groove2 = song.groove2 == QLatin1String(" ") ? QString() : song.groove2;
    st.LoopBrano = song.loop;
    tempo_->startFor(song.bpm);
    if (!st.Groove1.isEmpty()) {
        if (st.LoopBrano) {
            st.FileGroove1 = song.fileGroove1;
            s_.grooves.prefetch(st.FileGroove1);
            st.stopAtEnd = true;
            st.stopAtEndFree = false;
        } else {
            st.stopAtEndFree = true;
            // A file found in no folder leaves the player without a file: the pedal
            // then plays nothing, and the library check reports the song.
            TrackLoader::load(s_.player, song.mp3Path, mp3Volume_);
        }
    }
    if (!st.Groove2.isEmpty()) {
        st.FileGroove2 = song.fileGroove2;
        if (st.LoopBrano) {
            // Decoded in the background, so that pedal 2 never waits for the disk.
            s_.grooves.prefetch(st.FileGroove2);
        }
    }
    st.canSound = song.canSound;
    st.allFound = song.allFound;
    runningOrder_ = song.runningOrder;
    gear_ = gear;
    st.playListRow = song.row;
    preload_->start();
    publish();
    emit prepared();
}

void ShowCore::enter() {
    if (elsewhere([this] { enter(); })) {
        return;
    }
    if (state_.Groove1.isEmpty()) {
        return;
    }
    if (state_.LoopBrano) {
        s_.grooves.play(state_.FileGroove1);
    } else {
        s_.player.play();
    }
}

bool ShowCore::resumeSound(int pedal, double from) {
    bool started = false;
    if (elsewhere([&] { started = resumeSound(pedal, from); })) {
        return started;
    }
    if (preload_->running()) {
        preload_->finish();
    }
    started = tick_->resume(pedal, from);
    publish();
    return started;
}

void ShowCore::stopAll() {
    if (elsewhere([this] { stopAll(); })) {
        return;
    }
    if (state_.LoopBrano) {
        s_.grooves.stop();
    } else {
        s_.player.stop();
    }
    s_.waveVolume.setLevel(0);
    resetLamps();
    preload_->start();
    publish();
}

void ShowCore::restartCountIn() {
    if (elsewhere([this] { restartCountIn(); })) {
        return;
    }
    tempo_->restartCountIn();
    publish();
}

void ShowCore::setIntervals(double pollMs, double preMuteMs, double bufferMs, double lockOutMs) {
    if (elsewhere([=, this] { setIntervals(pollMs, preMuteMs, bufferMs, lockOutMs); })) {
        return;
    }
    poll_->setInterval(pollMs);
    preMute_->setInterval(preMuteMs);
    buffer_->setInterval(bufferMs);
    lockOut_->setInterval(lockOutMs);
    lockOutUntilMs_ = s_.clock.monotonicMs() + lockOutMs;
}

void ShowCore::holdPoll(bool held) {
    if (elsewhere([this, held] { holdPoll(held); })) {
        return;
    }
    poll_->setEnabled(!held);
}

void ShowCore::setCountIn(short beats, short metroAudio) {
    if (elsewhere([=, this] { setCountIn(beats, metroAudio); })) {
        return;
    }
    tempo_->setCountIn(beats, metroAudio);
}

void ShowCore::setStopAtEnd(bool on) {
    if (elsewhere([this, on] { setStopAtEnd(on); })) {
        return;
    }
    if (state_.stopAtEnd != on) {
        state_.stopAtEnd = on;
        publish();
    }
}

// While the silent preload runs the wave output stays at zero: the slider's value
// is kept, and the preload's end gives the output twice that.
void ShowCore::setWaveSlider(int value) {
    if (elsewhere([this, value] { setWaveSlider(value); })) {
        return;
    }
    waveSlider_ = value;
    if (!preload_->running()) {
        s_.waveVolume.setLevel(2 * value);
    }
}

void ShowCore::setMp3Volume(int value) {
    if (elsewhere([this, value] { setMp3Volume(value); })) {
        return;
    }
    mp3Volume_ = value;
    s_.player.setVolume(value);
}

void ShowCore::setClickSettings(const CountInSettings& settings) {
    if (elsewhere([this, settings] { setClickSettings(settings); })) {
        return;
    }
    click_ = settings;
}

void ShowCore::setMp3Folders(const std::array<Value, 10>& folders) {
    if (elsewhere([this, folders] { setMp3Folders(folders); })) {
        return;
    }
    folders_ = folders;
}

void ShowCore::setDiagnosticsOpen(bool open) {
    if (elsewhere([this, open] { setDiagnosticsOpen(open); })) {
        return;
    }
    diagOpen_ = open;
}

int ShowCore::writeLamps(int value) {
    int written = 0;
    if (elsewhere([this, value, &written] { written = writeLamps(value); })) {
        return written;
    }
    return s_.port.writeData(value);
}

void ShowCore::rewriteLamps() {
    if (elsewhere([this] { rewriteLamps(); })) {
        return;
    }
    s_.port.writeData(state_.UscitaPorta);
}
