#include <gtest/gtest.h>

#include <QPushButton>

#include "platform/hirestimer.h"
#include "platform/lamp.h"
#include "playback/audioengine.h"
#include "support/harness.h"
#include "support/testlibrary.h"

using TestLibrary::connect;

namespace {

qint64 colour(Harness& h, const char* lamp) {
    return h.find<Lamp>(lamp)->backColor();
}

}  // namespace

TEST(Connect, AttachedBoxReceivesExactlyTheInterfaceLampAndThePollStarts) {
    Harness h;
    TestLibrary::install(h);
    h.start();
    connect(h);
    EXPECT_TRUE(h.prompter.messages.isEmpty()) << h.prompter.texts().join("|").toStdString();
    EXPECT_EQ(h.box.writtenValues(), QVector<int>{8});
    EXPECT_EQ(h.box.mode(), 5);
    EXPECT_TRUE(h.box.isOpen());
    EXPECT_EQ(colour(h, "LedConnect"), 32768);
    EXPECT_TRUE(h.find<HiResTimer>("HiResTimer1")->isEnabled());
    EXPECT_TRUE(h.window().state().Collegato);
    // Connecting again runs every step again.
    connect(h);
    EXPECT_EQ(h.box.writtenValues(), (QVector<int>{8, 8}));
    EXPECT_EQ(h.box.openCount(), 2);
}

TEST(Connect, AnAbsentBoxIsReportedOnceAndLeavesEverythingDetached) {
    Harness h;
    TestLibrary::install(h);
    h.start();
    h.box.setPresent(false);
    connect(h);
    EXPECT_EQ(h.prompter.texts(),
              QStringList{"Attenzione!!! L'interfaccia hardware non è connessa!"});
    EXPECT_EQ(colour(h, "LedConnect"), 255);
    EXPECT_FALSE(h.find<HiResTimer>("HiResTimer1")->isEnabled());
    EXPECT_FALSE(h.box.isOpen());
    EXPECT_EQ(h.box.writtenValues(), QVector<int>{0});
    EXPECT_EQ(h.window().state().UscitaPorta, 0);
    h.box.setPedal1(true);
    h.advance(200);
    EXPECT_EQ(h.box.writtenValues(), QVector<int>{0});
}

TEST(Connect, APortThatCannotOpenChangesNothingButTheFlag) {
    Harness h;
    TestLibrary::install(h);
    h.start();
    h.box.setOpenFails(true);
    connect(h);
    EXPECT_EQ(h.prompter.texts(), QStringList{"Apertura della porta parallela fallita."});
    EXPECT_FALSE(h.window().state().Collegato);
    EXPECT_TRUE(h.box.writtenValues().isEmpty());
    EXPECT_EQ(colour(h, "LedConnect"), 255);
}

TEST(Connect, DisconnectingStopsAllSoundDarkensAndClosesThePort) {
    Harness h;
    TestLibrary::install(h);
    h.start();
    connect(h);
    TestLibrary::prepare(h, "Alba");
    h.advance(1000);
    h.box.setPedal1(true);
    h.advance(40);
    ASSERT_TRUE(h.engine()->grooveSounding());
    h.find<QPushButton>("Scollega")->click();
    h.advance(50);
    EXPECT_FALSE(h.engine()->grooveSounding());
    EXPECT_EQ(h.box.writtenValues().last(), 0);
    EXPECT_FALSE(h.box.isOpen());
    EXPECT_EQ(colour(h, "LedConnect"), 255);
    EXPECT_EQ(colour(h, "LedPed1"), 8421504);
    // A pedal now does nothing.
    h.box.setPedal1(false);
    h.advance(600);
    h.box.setPedal1(true);
    h.advance(600);
    EXPECT_FALSE(h.engine()->grooveSounding());
    // Disconnecting when never connected runs the same steps without a message.
    Harness idle;
    TestLibrary::install(idle);
    idle.start();
    idle.find<QPushButton>("Scollega")->click();
    EXPECT_TRUE(idle.prompter.messages.isEmpty());
    EXPECT_EQ(idle.box.writtenValues(), QVector<int>{0});
}
