#include <gtest/gtest.h>

#include <QCheckBox>
#include <QDateTime>
#include <QFile>
#include <QFileInfo>

#include "platform/hirestimer.h"
#include "platform/lamp.h"
#include "playback/audioengine.h"
#include "support/harness.h"
#include "support/testaudio.h"
#include "support/testlibrary.h"

using testaudio::crossings;

namespace {

// A library installed, the box connected and the song prepared, its count-in over.
void ready(Harness& h, const QString& song) {
    TestLibrary::ready(h, song);
    h.box.clearWrites();
}

qint64 colour(Harness& h, const char* lamp) {
    return h.find<Lamp>(lamp)->backColor();
}

bool lockedOut(Harness& h) {
    return h.find<HiResTimer>("TmrIstrs")->isEnabled();
}

}  // namespace

TEST(Pedals, Pedal1StartsOnceWhileHeldAndTheNextPressStops) {
    Harness h;
    ready(h, "Alba");
    h.box.setPedal1(true);
    h.advance(40);
    EXPECT_EQ(h.box.writtenValues(), QVector<int>{9});
    EXPECT_EQ(colour(h, "LedPed1"), 255);
    EXPECT_EQ(colour(h, "LedIstrs"), 255);
    EXPECT_GT(testaudio::peak(h.listen(50)), 0.3f);
    // Held for a long time: nothing more happens, the lock-out ends.
    h.advance(3000);
    EXPECT_EQ(h.box.writtenValues(), QVector<int>{9});
    EXPECT_EQ(colour(h, "LedIstrs"), 49152);
    EXPECT_TRUE(h.engine()->grooveSounding());
    // Released: re-armed (the change is written again); pressed again: stopped.
    h.box.setPedal1(false);
    h.advance(40);
    EXPECT_EQ(h.box.writtenValues(), (QVector<int>{9, 9}));
    EXPECT_FALSE(lockedOut(h));  // a release starts no lock-out
    h.box.setPedal1(true);
    h.advance(40);
    EXPECT_EQ(h.box.writtenValues(), (QVector<int>{9, 9, 8}));
    EXPECT_EQ(colour(h, "LedPed1"), 8421504);
    EXPECT_LT(testaudio::peak(h.listen(50)), 1e-6f);
}

TEST(Pedals, PressesInsideTheLockOutAreIgnoredOrLost) {
    Harness h;
    ready(h, "Alba");
    h.box.setPedal1(true);
    h.advance(40);  // started; the lock-out runs for 500 ms
    h.box.setPedal1(false);
    h.advance(100);
    h.box.setPedal1(true);  // a second press inside the lock-out
    h.advance(100);
    EXPECT_EQ(h.box.writtenValues(), QVector<int>{9});
    h.advance(1000);
    // After the lock-out the pedal is still down, as when it was last seen: ignored.
    EXPECT_EQ(h.box.writtenValues(), QVector<int>{9});
    EXPECT_TRUE(h.window().state().Groove1Attivo);
    // A press and release both inside a lock-out are lost entirely.
    h.box.setPedal1(false);
    h.advance(40);  // processed: re-armed, no lock-out (nothing held)
    EXPECT_FALSE(lockedOut(h));
    h.box.setPedal2(true);
    h.advance(40);  // groove 2 starts, a lock-out begins
    h.box.setPedal1(true);
    h.advance(100);
    h.box.setPedal1(false);
    h.advance(100);
    h.advance(1000);
    EXPECT_TRUE(h.window().state().Groove1Attivo);
    EXPECT_EQ(h.box.writtenValues().last(), 11);
}

TEST(Pedals, Pedal2HeldWhilePedal1IsPressedOnlyRestartsTheLockOut) {
    Harness h;
    ready(h, "Alba");
    h.box.setPedal2(true);
    h.advance(40);
    EXPECT_EQ(h.box.writtenValues(), QVector<int>{10});
    h.advance(1000);
    h.box.setPedal1(true);
    h.advance(40);
    const SharedState& st = h.window().state();
    EXPECT_TRUE(st.Groove1Attivo);
    EXPECT_TRUE(st.Groove2Attivo);
    EXPECT_EQ(h.box.writtenValues(), (QVector<int>{10, 11}));
    EXPECT_TRUE(lockedOut(h));
    EXPECT_EQ(colour(h, "LedPed2"), 255);
}

TEST(Pedals, ASongWithoutSecondGrooveIgnoresPedal2) {
    Harness h;
    ready(h, "Brezza");
    h.box.setPedal2(true);
    h.advance(40);
    EXPECT_FALSE(lockedOut(h));
    EXPECT_EQ(colour(h, "LedPed2"), 8421504);
    EXPECT_EQ(colour(h, "LedIstrs"), 49152);
    EXPECT_FALSE(h.engine()->grooveSounding());
    EXPECT_EQ(h.box.writtenValues(), QVector<int>{8});
}

TEST(Pedals, ALostBoxDetachesWithTwoWritesAndLeavesTheLoopSounding) {
    Harness h;
    ready(h, "Alba");
    h.box.setPedal1(true);
    h.advance(600);
    h.box.setLost(true);
    h.advance(40);
    EXPECT_EQ(h.prompter.texts(),
              QStringList{"Attenzione!!! L'interfaccia hardware si è scollegata!"});
    EXPECT_EQ(h.box.writtenValues(), (QVector<int>{9, 0, 0}));
    EXPECT_TRUE(h.box.writes()[1].portOpen);
    EXPECT_FALSE(h.box.writes()[2].portOpen);
    EXPECT_FALSE(h.box.isOpen());
    EXPECT_EQ(colour(h, "LedConnect"), 255);
    EXPECT_EQ(colour(h, "LedPed1"), 8421504);
    EXPECT_FALSE(h.find<HiResTimer>("HiResTimer1")->isEnabled());
    EXPECT_TRUE(h.engine()->grooveSounding());
    EXPECT_GT(testaudio::peak(h.listen(50)), 0.3f);
}

TEST(Pedals, PreloadPlaysGroove1MutedThenGivesTheVolumeBack) {
    Harness h;
    TestLibrary::install(h);
    h.start();
    TestLibrary::connect(h);
    TestLibrary::prepare(h, "Alba");
    EXPECT_EQ(colour(h, "LedPreload"), 255);
    EXPECT_EQ(h.volume.level(), 0);
    EXPECT_TRUE(h.find<QCheckBox>("Stopend")->isChecked());
    EXPECT_FALSE(h.find<QCheckBox>("Stopend")->isEnabled());
    h.advance(250);  // the pre-mute has played groove 1, muted
    EXPECT_TRUE(h.engine()->grooveSounding());
    EXPECT_LT(testaudio::peak(h.listen(100)), 1e-6f);
    h.advance(700);
    EXPECT_FALSE(h.engine()->grooveSounding());
    EXPECT_EQ(colour(h, "LedPreload"), 49152);
    EXPECT_EQ(h.volume.level(), 65534);
    // An MP3 song runs the chain too, playing nothing.
    TestLibrary::prepare(h, "Cielo");
    EXPECT_EQ(colour(h, "LedPreload"), 255);
    h.advance(250);
    EXPECT_FALSE(h.engine()->grooveSounding());
    EXPECT_FALSE(h.player().isPlaying());
    h.advance(700);
    EXPECT_EQ(colour(h, "LedPreload"), 49152);
    EXPECT_TRUE(h.find<QCheckBox>("Stopend")->isEnabled());
}

TEST(Pedals, ATapBetweenTwoPollsIsSeenOnce) {
    Harness h;
    ready(h, "Alba");
    // Down and up again before the next poll, as a touch screen taps.
    h.box.setPedal1(true);
    h.box.setPedal1(false);
    h.advance(40);
    EXPECT_TRUE(h.window().state().Groove1Attivo);
    EXPECT_EQ(colour(h, "LedPed1"), 255);
    EXPECT_EQ(h.box.lamps(), 9);
    // Seen once only: the release follows, nothing starts or stops again.
    h.advance(2000);
    EXPECT_TRUE(h.window().state().Groove1Attivo);
    EXPECT_EQ(h.box.lamps(), 9);
    // The next tap stops it; a tap inside the lock-out is lost as before.
    h.box.setPedal1(true);
    h.box.setPedal1(false);
    h.advance(40);
    EXPECT_FALSE(h.window().state().Groove1Attivo);
    h.box.setPedal1(true);
    h.box.setPedal1(false);
    h.advance(200);
    EXPECT_FALSE(h.window().state().Groove1Attivo);
    h.advance(1000);
    EXPECT_FALSE(h.window().state().Groove1Attivo);
    EXPECT_EQ(h.box.lamps(), 8);
}

namespace {

// Pedal 1 pressed and released: the next 100 ms of sound, then pedal 1 stops it.
std::vector<float> playGroove1(Harness& h) {
    h.box.setPedal1(true);
    h.advance(40);
    h.box.setPedal1(false);
    std::vector<float> sound = h.listen(100);
    h.advance(600);
    h.box.setPedal1(true);
    h.advance(40);
    h.box.setPedal1(false);
    h.advance(600);
    return sound;
}

}  // namespace

// A groove file replaced on disk between two presses (another length, or the same
// length with another time) is read again at its next press; one left alone is not.
TEST(Pedals, AGrooveReplacedOnDiskPlaysItsNewVersionAtTheNextPress) {
    Harness h;
    ready(h, "Alba");
    const QString groove = h.workDir() + "ROK/ROK001.wav";
    EXPECT_NEAR(crossings(playGroove1(h)), 88, 2);  // 440 Hz
    EXPECT_NEAR(crossings(playGroove1(h)), 88, 2);

    testaudio::writeWav(groove, 11025, testaudio::sine(880, 0.5f));
    EXPECT_NEAR(crossings(playGroove1(h)), 176, 2);

    QFile file(groove);
    const QDateTime before = QFileInfo(groove).lastModified();
    testaudio::writeWav(groove, 11025, testaudio::sine(330, 0.5f));
    ASSERT_TRUE(file.open(QIODevice::ReadWrite));
    ASSERT_TRUE(file.setFileTime(before.addSecs(3600), QFileDevice::FileModificationTime));
    file.close();
    EXPECT_NEAR(crossings(playGroove1(h)), 66, 2);
}
