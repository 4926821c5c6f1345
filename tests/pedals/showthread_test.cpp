// The show on a thread of its own, as in the program: a MIDI pedal pressed while the
// windows' thread is busy reaches the sound and the box's lamps without it.
#include <gtest/gtest.h>

#include <chrono>
#include <memory>
#include <thread>

#include "jackserver.h"
#include "midicontroller.h"
#include "pedals/midipedalbox.h"
#include "pedals/pedalsetup.h"
#include "platform/lamp.h"
#include "platform/wincolor.h"
#include "support/harness.h"
#include "support/testlibrary.h"

namespace {

// Pedal 1 is note 60; the lamps are notes 100 (pedal 1) to 103 (the interface).
PedalSetup taught(const MidiController& fcb) {
    PedalSetup s = PedalSetup::parse(QStringLiteral("midi:") + fcb.pedalsPort() +
                                     QStringLiteral("|p1=n1.60|p2=c1.65|l1=n1.100|l2=n1.101|"
                                                    "l3=n1.102|l4=n1.103"));
    s.lampPort = fcb.lampsPort();
    return s;
}

// Whether the controller's lamp of note was last switched on; false before any word.
bool lampOn(MidiController& fcb, int note) {
    bool on = false;
    for (const MidiController::Bytes& m : fcb.lampMessages()) {
        if (m.size() == 3 && m[1] == note) {
            on = (m[0] & 0xF0) == 0x90 && m[2] > 0;
        }
    }
    return on;
}

// The windows' thread busy: it handles no event at all while it waits for done (at
// most five seconds).
bool busyUntil(const std::function<bool()>& done) {
    for (int i = 0; i < 5000 && !done(); ++i) {
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    return done();
}

}  // namespace

TEST(ShowThread, PedalsPressedWhileTheWindowsAreBusySoundAndLightTheBox) {
    NEED_JACK();
    MidiController fcb;
    std::unique_ptr<MidiPedalBox> box;  // gone after the harness
    Harness h(Harness::Sound::Recording);
    h.showOnItsThread = true;
    box = std::make_unique<MidiPedalBox>(taught(fcb), h.realClock, MidiSystem::Api::Jack);
    h.port = box.get();
    TestLibrary::install(h);
    h.start();
    TestLibrary::connect(h);
    TestLibrary::prepare(h, "Alba");
    h.advance(1500);  // the silent preload ends
    const SharedState& st = h.window().state();
    ASSERT_TRUE(st.Collegato);
    ASSERT_FALSE(st.FileGroove1.isEmpty());
    const int before = int(h.recordingGrooves()->calls.size());

    // Three starts and three stops, each pressed and released while the windows'
    // thread sees nothing: only the box's lamp tells that the press was taken.
    for (int press = 0; press < 6; ++press) {
        const bool starts = press % 2 == 0;
        fcb.noteOn(60);
        EXPECT_TRUE(busyUntil([&] { return lampOn(fcb, 100) == starts; })) << "press " << press;
        fcb.noteOff(60);
        std::this_thread::sleep_for(std::chrono::milliseconds(650));  // past the lock-out
    }

    h.advance(300);  // the windows catch up
    const QStringList calls = h.recordingGrooves()->calls.list().mid(before);
    const QString play = QStringLiteral("play ") + st.FileGroove1;
    EXPECT_EQ(calls, QStringList({play, QStringLiteral("stop"), play, QStringLiteral("stop"), play,
                                  QStringLiteral("stop")}));
    EXPECT_FALSE(st.Groove1Attivo);
    EXPECT_EQ(h.find<Lamp>("LedPed1")->backColor(), WinColor::kGrey);
    EXPECT_EQ(h.find<Lamp>("LedIstrs")->backColor(), WinColor::kLightGreen);
    EXPECT_EQ(h.find<Lamp>("LedConnect")->backColor(), WinColor::kGreen);
    EXPECT_FALSE(lampOn(fcb, 100));
    EXPECT_TRUE(lampOn(fcb, 103));
}
