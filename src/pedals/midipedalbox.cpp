#include "pedals/midipedalbox.h"

#include <utility>

#include <RtMidi.h>

#include "platform/clock.h"

MidiPedalBox::MidiPedalBox(const PedalSetup& setup, const Clock& clock, MidiSystem::Api api,
                           QObject* parent)
    : PortIo(parent), setup_(setup), clock_(clock), api_(api), input_(api, this) {
    connect(&input_, &MidiInput::received, this, &MidiPedalBox::received);
}

MidiPedalBox::~MidiPedalBox() {
    closePort();
}

void MidiPedalBox::setSetup(int) {}

void MidiPedalBox::setMode(int) {}

int MidiPedalBox::openPort(const QString&, const QString&) {
    closePort();
    open_ = true;
    away_ = false;
    status_.clear();
    present_ = attach();
    status_.log(present_ ? QStringLiteral("Collegata a %1").arg(setup_.device)
                         : QStringLiteral("%1 non trovata").arg(setup_.device));
    emit eventsLogged();
    return 1;
}

bool MidiPedalBox::attach() {
    refreshed_ = false;
    sent_ = -1;
    dropLamps();
    const bool there = input_.open(setup_.device);
    if (there && !setup_.lampPort.isEmpty()) {
        out_ = MidiSystem::makeOutput(api_);
        const int index = out_ ? MidiSystem::indexOf(*out_, setup_.lampPort) : -1;
        try {
            if (index >= 0) {
                out_->openPort(unsigned(index), "lamps_out");
            } else {
                out_.reset();
            }
        } catch (const RtMidiError&) {
            out_.reset();
        }
    }
    lookedAtMs_ = clock_.monotonicMs();
    return there;
}

void MidiPedalBox::dropLamps() {
    if (input_.serverGone()) {
        MidiSystem::forget(std::move(out_));
    }
    out_.reset();
}

void MidiPedalBox::closePort() {
    if (!open_) {
        return;
    }
    input_.close();
    // What the controller shows lit goes dark here, as the lamps on screen do.
    if (out_ && sent_ > 0 && !away_ && !input_.serverGone()) {
        sendLamps(0);
    }
    dropLamps();
    open_ = false;
    present_ = false;
    away_ = false;
    sent_ = -1;
    wanted_ = 0;
    status_.clear();
}

int MidiPedalBox::readStatus() {
    if (!open_ || !present_) {
        return 0;
    }
    // A look straight after a pedal message goes to the sound at once: the slower
    // look for the controller (the system's port list) waits for the next tick.
    const bool afterEvent = std::exchange(eventPending_, false);
    if (!afterEvent && clock_.monotonicMs() - lookedAtMs_ >= kLookMs) {
        lookedAtMs_ = clock_.monotonicMs();
        if (away_) {
            lookForReturn();
        } else {
            look();
        }
    }
    if (away_) {
        return kPresent | kAway;
    }
    return kPresent | status_.read();
}

void MidiPedalBox::look() {
    // A new connection may not carry the first messages yet (JACK connects at its
    // next cycle): the lamps are shown whole once more, once.
    if (!refreshed_ && out_ && sent_ >= 0) {
        sent_ = -1;
        sendLamps(wanted_);
    }
    refreshed_ = true;
    if (input_.stillThere() && !input_.stillHearing()) {
        // A system-exclusive message that never ended holds the input deaf: opened
        // afresh, it hears again.
        const bool again = input_.open(setup_.device);
        status_.log(again ? QStringLiteral("Messaggio di sistema interrotto: ingresso "
                                           "riaperto")
                          : QStringLiteral("Messaggio di sistema interrotto"));
        emit eventsLogged();
        if (again) {
            // Not told when it failed: the box is then away, which is told below.
            emit notice(reopenedText());
        }
    }
    if (input_.stillThere() && !input_.stillConnected()) {
        // The port stayed but its connection to the program was taken away: made
        // again, as the next "Collega" would.
        const bool again = input_.open(setup_.device);
        status_.log(again ? QStringLiteral("Collegamento a %1 ripristinato").arg(setup_.device)
                          : QStringLiteral("Collegamento a %1 perso").arg(setup_.device));
        emit eventsLogged();
    }
    if (!input_.stillThere()) {
        // Pulled out: a pedal held down then is up when it comes back.
        away_ = true;
        status_.set(1, false);
        status_.set(2, false);
        status_.log(QStringLiteral("%1 scollegata").arg(setup_.device));
        emit eventsLogged();
        emit notice(awayText());
    }
}

void MidiPedalBox::lookForReturn() {
    // The input's own client lists the ports, so a look makes no new client; only
    // after a failed open, or once its JACK server died, is a fresh one tried at each
    // look.
    if ((input_.isOpen() && !input_.serverGone() && !input_.stillThere()) || !attach()) {
        return;
    }
    away_ = false;
    sendLamps(wanted_);
    status_.log(backText());
    emit eventsLogged();
    emit notice(backText());
}

int MidiPedalBox::writeData(int value) {
    if (!open_ || !present_) {
        return 0;
    }
    wanted_ = value;
    if (!away_) {
        sendLamps(value);
    }
    return 1;
}

void MidiPedalBox::sendLamps(int value) {
    if (!out_) {
        sent_ = value;
        return;
    }
    for (int bit = 0; bit < 4; ++bit) {
        const MidiBinding& lamp = setup_.lamps[bit];
        const bool on = (value >> bit) & 1;
        if (!lamp.isSet() || (sent_ >= 0 && bool((sent_ >> bit) & 1) == on)) {
            continue;
        }
        std::uint8_t bytes[3];
        lamp.lampMessage(on, bytes);
        try {
            out_->sendMessage(bytes, 3);
        } catch (const RtMidiError&) {
        }
    }
    sent_ = value;
}

void MidiPedalBox::received(const MidiInput::Message& m) {
    status_.log(MidiBinding::describe(m.bytes, m.size));
    const std::optional<MidiBinding::Event> e = MidiBinding::read(m.bytes, m.size);
    for (int i = 0; e && i < PedalSetup::kPedals; ++i) {
        if (!setup_.pedals[i].isSet() || !(setup_.pedals[i] == e->binding)) {
            continue;
        }
        if (const int step = PedalSetup::stepOf(i); step != 0) {
            // A latching pedal sends one message per press, whatever its value.
            if (e->down || setup_.latching[i]) {
                emit stepAsked(step);
            }
            continue;
        }
        // The moment the message arrived, however late it is handed over.
        const double at = clock_.monotonicMs() - MidiInput::ageMs(m.heardNs);
        if (!setup_.latching[i]) {
            status_.set(i + 1, e->down, at);
        } else {
            status_.toggle(i + 1, at);
        }
        // The sound first, the diagnostics after.
        eventPending_ = true;
        emit pedalEvent();
    }
    emit eventsLogged();
}

QString MidiPedalBox::awayText() {
    return QStringLiteral("Pedaliera MIDI scollegata: la riprendo appena torna");
}

QString MidiPedalBox::backText() {
    return QStringLiteral("Pedaliera MIDI ricollegata");
}

QString MidiPedalBox::reopenedText() {
    return QStringLiteral("Pedaliera MIDI sorda per un messaggio interrotto: ingresso riaperto");
}

QString MidiPedalBox::description() const {
    return QStringLiteral("Pedaliera MIDI: %1").arg(setup_.device);
}
