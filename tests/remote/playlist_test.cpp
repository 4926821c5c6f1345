#include <gtest/gtest.h>

#include <QCheckBox>

#include "library/datasource.h"
#include "platform/lamp.h"
#include "playback/mediaplayer.h"
#include "support/harness.h"
#include "support/testlibrary.h"

using TestLibrary::key;

namespace {

// Running order key (F2 or F3) listed, its first song (Cielo) prepared and started by
// pedal 1, with the play list on or off.
void playFirst(Harness& h, int listKey, bool playList) {
    TestLibrary::install(h);
    h.start();
    TestLibrary::connect(h);
    key(h, listKey);
    key(h, Qt::Key_Escape);
    h.advance(1000);
    if (playList) {
        h.find<QCheckBox>("Stopend")->click();
    }
    h.box.setPedal1(true);
    h.advance(40);
    h.box.setPedal1(false);
}

QString preparedTitle(Harness& h) {
    return h.window().controls().Data2->value(QStringLiteral("Titoli")).toString();
}

}  // namespace

TEST(PlayList, AnEndedMp3IsFollowedByTheNextOfTheList) {
    Harness h;
    playFirst(h, Qt::Key_F3, true);
    EXPECT_EQ(h.find<QCheckBox>("Stopend")->text(), "Play List attiva");
    EXPECT_TRUE(h.find<QCheckBox>("Stopend")->font().bold());
    ASSERT_TRUE(h.player().isPlaying());
    h.advance(1200);  // Cielo (1 s) has ended
    EXPECT_EQ(preparedTitle(h), "Duna");
    EXPECT_TRUE(h.player().fileName().endsWith("duna.mp3"));
    EXPECT_TRUE(h.player().isPlaying());
    EXPECT_EQ(h.find<Lamp>("LedPed1")->backColor(), 255);
    // Duna is the last of the list: the list stops on it.
    h.advance(1200);
    EXPECT_EQ(preparedTitle(h), "Duna");
    EXPECT_FALSE(h.window().state().Groove1Attivo);
    EXPECT_EQ(h.find<Lamp>("LedPed1")->backColor(), 8421504);
    EXPECT_EQ(h.window().state().UscitaPorta, 8);
}

TEST(PlayList, ANextSongWhoseFileIsInNoFolderStopsTheList) {
    Harness h;
    playFirst(h, Qt::Key_F2, true);
    h.advance(1200);
    ASSERT_EQ(preparedTitle(h), "Duna");
    h.advance(1200);  // next is Fiume, whose MP3 is nowhere
    EXPECT_FALSE(h.window().state().Groove1Attivo);
    EXPECT_FALSE(h.player().isPlaying());
    EXPECT_EQ(h.find<Lamp>("LedPed1")->backColor(), 8421504);
    EXPECT_TRUE(h.prompter.messages.isEmpty());
}

TEST(PlayList, StopAfterEachSongLeavesAnEndedMp3Ended) {
    Harness h;
    playFirst(h, Qt::Key_F3, false);
    EXPECT_EQ(h.find<QCheckBox>("Stopend")->text(), "Stop dopo ogni brano");
    h.advance(3000);
    EXPECT_EQ(preparedTitle(h), "Cielo");
    EXPECT_FALSE(h.player().isPlaying());
    EXPECT_TRUE(h.window().state().Groove1Attivo);  // until pedal 1 stops it
}
