// The transport's state table and the box's lamps, the same for every kind of
// pedal box: the on-screen (parallel-port) box, a page-turner's keys and a MIDI
// foot controller.
#include <gtest/gtest.h>

#include <QApplication>
#include <QKeyEvent>
#include <memory>

#include "jackserver.h"
#include "library/songgrid.h"
#include "midicontroller.h"
#include "pedals/keypedalbox.h"
#include "pedals/midipedalbox.h"
#include "pedals/pedalsetup.h"
#include "platform/hirestimer.h"
#include "platform/lamp.h"
#include "support/harness.h"
#include "support/testlibrary.h"

namespace {

// Presses and releases the pedals of one kind of box as its hardware would, and
// tells which lamps the box shows.
class Driver {
public:
    virtual ~Driver() = default;
    // Before the program starts; false to skip (with why()).
    virtual bool attach(Harness& h) = 0;
    virtual void set(int pedal, bool down) = 0;
    // The lamps the box shows; a box that is told by messages is given the time for
    // them to become expected (with -N: the lamps lit by what arrived since the last
    // call, given the time for lamp N to be among them).
    virtual int lamps(int expected) = 0;
    virtual std::string why() const { return {}; }
    // Just after the box was connected.
    virtual void connected(Harness&) {}
    // Whether the lamps are told by messages that take their time.
    virtual bool told() const { return false; }
};

class VirtualDriver : public Driver {
public:
    bool attach(Harness& h) override {
        h_ = &h;
        return true;
    }
    void set(int pedal, bool down) override {
        pedal == 1 ? h_->box.setPedal1(down) : h_->box.setPedal2(down);
    }
    int lamps(int) override { return h_->box.lamps(); }

private:
    Harness* h_ = nullptr;
};

class KeysDriver : public Driver {
public:
    bool attach(Harness& h) override {
        h_ = &h;
        h.port = &box_;
        return true;
    }
    void set(int pedal, bool down) override {
        QKeyEvent e(down ? QEvent::KeyPress : QEvent::KeyRelease,
                    pedal == 1 ? Qt::Key_PageDown : Qt::Key_PageUp, Qt::NoModifier);
        QApplication::sendEvent(h_->window().controls().DBGrid1, &e);
    }
    int lamps(int) override { return box_.lamps(); }

private:
    Harness* h_ = nullptr;
    KeyPedalBox box_{{Qt::Key_PageDown, Qt::Key_PageUp}};
};

// Pedal 1 is a note, pedal 2 a control change; the lamps come back as notes.
class MidiDriver : public Driver {
public:
    bool attach(Harness& h) override {
        if (!JackServer::ready()) {
            return false;
        }
        fcb_ = std::make_unique<MidiController>("Pedaliera_tabella");
        PedalSetup s = PedalSetup::parse(QStringLiteral("midi:") + fcb_->pedalsPort() +
                                         QStringLiteral("|p1=n1.60|p2=c1.65|l1=n1.100|l2=n1.101|"
                                                        "l3=n1.102|l4=n1.103"));
        s.lampPort = fcb_->lampsPort();
        box_ = std::make_unique<MidiPedalBox>(s, h.clock, MidiSystem::Api::Jack);
        h.port = box_.get();
        return true;
    }
    // Returns once the box has the message (the tests alternate down and up).
    void set(int pedal, bool down) override {
        if (pedal == 1) {
            down ? fcb_->noteOn(60) : fcb_->noteOff(60);
        } else {
            fcb_->control(65, down ? 127 : 0);
        }
        const QString expected = pedal == 1
                                     ? QStringLiteral("Nota 60 %1").arg(down ? "giù" : "su")
                                     : QStringLiteral("Controllo 65 = %1").arg(down ? 127 : 0);
        MidiController::waitUntil([&] {
            const QStringList events = box_->recentEvents();
            return !events.isEmpty() && events.last().startsWith(expected);
        });
    }
    int lamps(int expected) override {
        int lit = 0;
        auto decode = [&] {
            for (const MidiController::Bytes& m : fcb_->lampMessages()) {
                const int bit = 1 << (m[1] - 100);
                lamps_ = (m[0] & 0xF0) == 0x90 && m[2] > 0 ? lamps_ | bit : lamps_ & ~bit;
                lit |= lamps_;
            }
            fcb_->clearLampMessages();
            return expected >= 0 ? lamps_ == expected : ((lit | lamps_) & -expected) != 0;
        };
        MidiController::waitUntil(decode);
        return expected >= 0 ? lamps_ : lit | lamps_;
    }
    std::string why() const override { return JackServer::why(); }
    bool told() const override { return true; }
    // The box shows its lamps again a moment after connecting, for a MIDI
    // connection that is not carrying messages yet: let that moment be a real one.
    void connected(Harness& h) override {
        MidiController::settle();
        h.advance(MidiPedalBox::kLookMs + 40);
    }

private:
    std::unique_ptr<MidiController> fcb_;
    std::unique_ptr<MidiPedalBox> box_;
    int lamps_ = 0;
};

enum class Kind { Virtual, Keys, Midi };

std::string kindName(const ::testing::TestParamInfo<Kind>& info) {
    switch (info.param) {
        case Kind::Virtual:
            return "Parallel";
        case Kind::Keys:
            return "Keys";
        case Kind::Midi:
            break;
    }
    return "Midi";
}

class EveryKind : public ::testing::TestWithParam<Kind> {
protected:
    // The library installed, the box connected, the song prepared and counted in.
    void ready(const QString& song) {
        switch (GetParam()) {
            case Kind::Virtual:
                driver_ = std::make_unique<VirtualDriver>();
                break;
            case Kind::Keys:
                driver_ = std::make_unique<KeysDriver>();
                break;
            case Kind::Midi:
                driver_ = std::make_unique<MidiDriver>();
                break;
        }
        if (!driver_->attach(h)) {
            GTEST_SKIP() << "Skipped: no JACK dummy server for MIDI (" << driver_->why() << ")";
        }
        TestLibrary::install(h);
        h.start();
        QCoreApplication::processEvents();
        TestLibrary::connect(h);
        driver_->connected(h);
        TestLibrary::prepare(h, song);
        h.advance(2500);
    }
    void press(int pedal) { driver_->set(pedal, true); }
    void release(int pedal) { driver_->set(pedal, false); }
    int lamps(int expected) { return driver_->lamps(expected); }
    const SharedState& st() { return h.window().state(); }
    qint64 colour(const char* lamp) { return h.find<Lamp>(lamp)->backColor(); }
    bool lockedOut() { return h.find<HiResTimer>("TmrIstrs")->isEnabled(); }

    // Declared first: destroyed after the window that uses the driver's box.
    std::unique_ptr<Driver> driver_;
    Harness h{Harness::Sound::Recording};
};

}  // namespace

TEST_P(EveryKind, APedalStartsOnceWhileHeldAndTheNextPressStops) {
    ready("Alba");
    if (IsSkipped()) {
        return;
    }
    press(1);
    h.advance(40);
    EXPECT_TRUE(st().Groove1Attivo);
    EXPECT_EQ(colour("LedPed1"), 255);
    EXPECT_EQ(lamps(9), 9);
    h.advance(3000);  // held: nothing more
    EXPECT_TRUE(st().Groove1Attivo);
    release(1);
    h.advance(40);
    EXPECT_FALSE(lockedOut());
    EXPECT_TRUE(st().Groove1Attivo);
    press(1);
    h.advance(40);
    EXPECT_FALSE(st().Groove1Attivo);
    EXPECT_EQ(colour("LedPed1"), 8421504);
    EXPECT_EQ(lamps(8), 8);
}

TEST_P(EveryKind, PressesInsideTheLockOutAreIgnoredOrLost) {
    ready("Alba");
    if (IsSkipped()) {
        return;
    }
    press(1);
    h.advance(40);
    release(1);
    h.advance(100);
    press(1);  // inside the lock-out
    h.advance(1100);
    EXPECT_TRUE(st().Groove1Attivo);  // still down when the lock-out ended: ignored
    release(1);
    h.advance(40);
    press(2);
    h.advance(40);  // groove 2 starts, a lock-out begins
    press(1);
    h.advance(100);
    release(1);  // a press and release both inside the lock-out are lost
    h.advance(1100);
    EXPECT_TRUE(st().Groove1Attivo);
    EXPECT_TRUE(st().Groove2Attivo);
    EXPECT_EQ(lamps(11), 11);
}

TEST_P(EveryKind, Pedal2HeldWhilePedal1IsPressedOnlyRestartsTheLockOut) {
    ready("Alba");
    if (IsSkipped()) {
        return;
    }
    press(2);
    h.advance(40);
    EXPECT_EQ(lamps(10), 10);
    h.advance(1000);
    press(1);
    h.advance(40);
    EXPECT_TRUE(st().Groove1Attivo);
    EXPECT_TRUE(st().Groove2Attivo);
    EXPECT_TRUE(lockedOut());
    EXPECT_EQ(lamps(11), 11);
    EXPECT_EQ(colour("LedPed2"), 255);
}

TEST_P(EveryKind, ASongWithoutSecondGrooveIgnoresPedal2) {
    ready("Brezza");
    if (IsSkipped()) {
        return;
    }
    press(2);
    h.advance(40);
    EXPECT_FALSE(lockedOut());
    EXPECT_FALSE(st().Groove2Attivo);
    EXPECT_EQ(colour("LedPed2"), 8421504);
    EXPECT_EQ(lamps(8), 8);
}

TEST_P(EveryKind, ATapIsSeenOnceAndTheTempoLampFlashesOnTheBox) {
    ready("Alba");
    if (IsSkipped()) {
        return;
    }
    press(1);
    release(1);
    h.advance(40);
    EXPECT_TRUE(st().Groove1Attivo);
    h.advance(2000);
    EXPECT_TRUE(st().Groove1Attivo);
    EXPECT_EQ(lamps(9), 9);
    // Space stops everything; the count-in restarted with its key flashes value 4.
    TestLibrary::key(h, Qt::Key_Space);
    TestLibrary::key(h, Qt::Key_Backslash);
    bool flashed = false;
    for (int i = 0; i < 40; ++i) {
        h.advance(25);
        flashed = flashed || (!driver_->told() && (lamps(0) & 4) != 0);
    }
    if (driver_->told()) {
        flashed = (lamps(-4) & 4) != 0;  // among the messages of the whole count-in
    }
    EXPECT_TRUE(flashed);
}

INSTANTIATE_TEST_SUITE_P(Boxes, EveryKind, ::testing::Values(Kind::Virtual, Kind::Keys, Kind::Midi),
                         kindName);
