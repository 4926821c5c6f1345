// The show core on its own, without a window: the transport's rules need nothing
// but the clock, the pedal box and the sound.
#include <gtest/gtest.h>

#include <QApplication>
#include <QSignalSpy>

#include "config/corestate.h"
#include "pedals/lampbits.h"
#include "platform/fileprobe.h"
#include "platform/manualclock.h"
#include "playback/wavevolume.h"
#include "remote/virtualpedalbox.h"
#include "show/showcore.h"
#include "support/clockedmediaplayer.h"
#include "support/recordinggroovesound.h"

namespace {

struct Core {
    Core() : player(clock), core(CoreServices{clock, box, grooves, player, volume, files}) {}

    PreparedSong loopSong() const {
        PreparedSong s;
        s.groove1 = QStringLiteral("Alb1.wav");
        s.groove2 = QStringLiteral("Alb2.wav");
        s.loop = true;
        s.bpm = 120;
        s.fileGroove1 = QStringLiteral("/g/Alb/Alb1.wav");
        s.fileGroove2 = QStringLiteral("/g/Alb/Alb2.wav");
        return s;
    }
    void tap(int pedal) {
        pedal == 1 ? box.setPedal1(true) : box.setPedal2(true);
        clock.advance(50);
        pedal == 1 ? box.setPedal1(false) : box.setPedal2(false);
        clock.advance(600);  // past the lock-out
    }

    ManualClock clock;
    VirtualPedalBox box;
    RecordingGrooveSound grooves;
    ClockedMediaPlayer player;
    WaveVolume volume;
    FileProbe files;
    ShowCore core;
};

}  // namespace

// A whole loop song played from the pedals: no widget exists, and what the windows
// would show arrives as copies of the core's state, only when something changed.
TEST(ShowCore, PlaysASongFromThePedalsWithoutAnyWindow) {
    ASSERT_TRUE(QApplication::topLevelWidgets().isEmpty());
    Core c;
    QSignalSpy copies(&c.core, &ShowCore::changed);
    c.core.attach();
    EXPECT_TRUE(c.core.state().Collegato);
    EXPECT_EQ(c.box.lamps(), LampBits::kInterfaceOn);
    c.core.prepare(c.loopSong());
    c.clock.advance(1000);  // the count-in's first beats and the silent preload
    EXPECT_EQ(c.core.state().lamp(ShowLamp::Preload), WinColor::kLightGreen);

    struct Step {
        int pedal;
        QString sound;  // what the groove service plays after the press
        int lamps;      // the box's pedal lamps after it
    };
    const Step steps[] = {
        {1, QStringLiteral("/g/Alb/Alb1.wav"), LampBits::kPedal1},
        {2, QStringLiteral("/g/Alb/Alb2.wav"), LampBits::kPedal1 | LampBits::kPedal2},
        {2, QString(), LampBits::kPedal1},
        {1, QString(), 0}};
    for (const Step& s : steps) {
        c.tap(s.pedal);
        EXPECT_EQ(c.grooves.playing, s.sound) << "pedal " << s.pedal;
        EXPECT_EQ(c.box.lamps() & (LampBits::kPedal1 | LampBits::kPedal2), s.lamps)
            << "pedal " << s.pedal;
        EXPECT_EQ(c.core.state().lamp(ShowLamp::LockOut), WinColor::kLightGreen);
    }
    EXPECT_TRUE(QApplication::topLevelWidgets().isEmpty());

    // Idle ticks change nothing and tell the windows nothing.
    const qsizetype told = copies.count();
    c.clock.advance(2000);
    EXPECT_EQ(copies.count(), told);
    c.core.close();
    EXPECT_FALSE(c.core.state().Collegato);
    EXPECT_EQ(c.box.lamps(), 0);
}
