// A prepared song whose groove or MP3 is missing: named in red on the main window
// (no message box), and no lamp claims a sound that cannot come.
#include <gtest/gtest.h>

#include <QFile>
#include <QLabel>

#include "platform/hirestimer.h"
#include "platform/lamp.h"
#include "playback/audioengine.h"
#include "support/harness.h"
#include "support/testaudio.h"
#include "support/testlibrary.h"

namespace {

qint64 colour(Harness& h, const char* lamp) {
    return h.find<Lamp>(lamp)->backColor();
}

void press(Harness& h, bool pedal1) {
    pedal1 ? h.box.setPedal1(true) : h.box.setPedal2(true);
    h.advance(40);
    pedal1 ? h.box.setPedal1(false) : h.box.setPedal2(false);
    h.advance(600);
}

}  // namespace

TEST(MissingFile, AMissingGrooveIsNamedAndItsPedalLightsNothing) {
    Harness h;
    TestLibrary::install(h);
    ASSERT_TRUE(QFile::rename(h.workDir() + "ROK/ROK001.wav", h.workDir() + "ROK/old.wav"));
    h.start();
    TestLibrary::connect(h);
    TestLibrary::prepare(h, "Alba");
    h.advance(2500);
    QLabel* line = h.find<QLabel>("Mancante");
    ASSERT_NE(line, nullptr);
    EXPECT_EQ(line->text(), "File mancante per \"Alba\": ROK/ROK001.wav");
    EXPECT_EQ(line->accessibleName(), "File mancanti");
    EXPECT_TRUE(line->isVisible());
    EXPECT_TRUE(h.prompter.messages.isEmpty());
    EXPECT_EQ(colour(h, "LedPreload"), 255);  // not "ready"
    h.box.clearWrites();
    press(h, true);
    EXPECT_EQ(colour(h, "LedPed1"), 8421504);
    EXPECT_FALSE(h.window().state().Groove1Attivo);
    EXPECT_FALSE(h.find<HiResTimer>("TmrIstrs")->isEnabled());
    // Groove 2 is there: pedal 2 plays it and says so.
    press(h, false);
    EXPECT_EQ(colour(h, "LedPed2"), 255);
    EXPECT_GT(testaudio::peak(h.listen(50)), 0.3f);
    for (int value : h.box.writtenValues()) {
        EXPECT_EQ(value & 1, 0) << "the box's pedal-1 lamp was lit";
    }
    EXPECT_EQ(h.box.writtenValues().last(), 10);

    // A song whose files are all there clears the line and turns the preload green.
    TestLibrary::prepare(h, "Brezza");
    h.advance(1000);
    EXPECT_EQ(line->text(), "");
    EXPECT_EQ(colour(h, "LedPreload"), 49152);
}

TEST(MissingFile, AnMp3FoundInNoFolderIsNamedAndNeitherPedalLights) {
    Harness h;
    TestLibrary::ready(h, "Fiume");
    EXPECT_EQ(h.find<QLabel>("Mancante")->text(), "File mancante per \"Fiume\": fiume.mp3");
    EXPECT_EQ(colour(h, "LedPreload"), 255);
    press(h, true);
    EXPECT_EQ(colour(h, "LedPed1"), 8421504);
    EXPECT_FALSE(h.window().state().Groove1Attivo);
    EXPECT_TRUE(h.prompter.messages.isEmpty());
    // Both grooves of a loop song missing are named together.
    QFile::remove(h.workDir() + "ROK/ROK001.wav");
    QFile::remove(h.workDir() + "ROK/ROK001B.wav");
    TestLibrary::prepare(h, "Alba");
    EXPECT_EQ(h.find<QLabel>("Mancante")->text(),
              "File mancanti per \"Alba\": ROK/ROK001.wav, ROK/ROK001B.wav");
}
