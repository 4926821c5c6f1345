#include <gtest/gtest.h>

#include <QPushButton>

#include "editing.h"
#include "playback/mediaplayer.h"
#include "support/testlibrary.h"

using namespace editing;

namespace {

QPushButton* listenButton(Harness& h, const char* name) {
    return dialog(h)->findChild<QPushButton*>(name);
}

}  // namespace

TEST(Listen, AGroovePlaysLoopedUntilStoppedOrTheDialogCloses) {
    Harness h(Harness::Sound::Recording);
    TestLibrary::install(h);
    h.start();
    menu(h, "MenuModificaBrano");  // Alba
    click(h, "Ascolta2");
    EXPECT_TRUE(h.recordingGrooves()->playing.endsWith("ROK/ROK001B.wav"));
    EXPECT_EQ(listenButton(h, "Ascolta2")->text(), "Ferma");
    h.advance(60000);  // a groove loops until stopped
    EXPECT_FALSE(h.recordingGrooves()->playing.isEmpty());
    click(h, "Ascolta2");
    EXPECT_TRUE(h.recordingGrooves()->playing.isEmpty());
    EXPECT_EQ(listenButton(h, "Ascolta2")->text(), "Ascolta");

    click(h, "Ascolta1");
    EXPECT_TRUE(h.recordingGrooves()->playing.endsWith("ROK/ROK001.wav"));
    click(h, "Annulla");
    EXPECT_TRUE(h.recordingGrooves()->playing.isEmpty());
}

TEST(Listen, AnMp3PlaysItsFirstSecondsAndThePreparedOneIsLoadedAgain) {
    Harness h(Harness::Sound::Recording);
    TestLibrary::install(h);
    h.start();
    TestLibrary::connect(h);
    TestLibrary::prepare(h, "Cielo");
    h.advance(2500);
    ASSERT_TRUE(h.player().fileName().endsWith("MP3A/cielo.mp3"));
    TestLibrary::key(h, Qt::Key_F8);
    TestLibrary::key(h, Qt::Key_D);  // Duna highlighted, Cielo still prepared
    menu(h, "MenuModificaBrano");
    ASSERT_EQ(field(h, "TextTitoli")->text(), "Duna");
    click(h, "Ascolta1");
    EXPECT_TRUE(h.player().fileName().endsWith("MP3B/duna.mp3"));
    EXPECT_TRUE(h.player().isPlaying());
    h.advance(9900);
    EXPECT_EQ(h.player().fileName().endsWith("MP3B/duna.mp3"), true);
    h.advance(200);  // ten seconds: it stops by itself
    EXPECT_FALSE(h.player().isPlaying());
    EXPECT_TRUE(h.player().fileName().endsWith("MP3A/cielo.mp3"));
    EXPECT_EQ(h.player().position(), 0);
    EXPECT_EQ(listenButton(h, "Ascolta1")->text(), "Ascolta");
}

TEST(Listen, IsRefusedWhileASongSoundsWithTheBoxConnected) {
    Harness h(Harness::Sound::Recording);
    TestLibrary::ready(h, "Alba");
    h.box.setPedal1(true);
    h.advance(40);
    h.box.setPedal1(false);
    h.advance(600);
    ASSERT_TRUE(h.recordingGrooves()->playing.endsWith("ROK001.wav"));
    menu(h, "MenuNuovoBrano");
    menu(h, "MenuModificaBrano");
    h.recordingGrooves()->calls.clear();
    click(h, "Ascolta2");
    EXPECT_EQ(h.prompter.texts().last(),
              "Non si può ascoltare mentre un brano suona con la pedaliera collegata.");
    EXPECT_TRUE(h.recordingGrooves()->calls.isEmpty());
    EXPECT_EQ(listenButton(h, "Ascolta2")->text(), "Ascolta");
}

TEST(Listen, StoppingNeverSilencesASongThePerformerStartedMeanwhile) {
    Harness h(Harness::Sound::Recording);
    TestLibrary::ready(h, "Alba");
    menu(h, "MenuModificaBrano");
    click(h, "Ascolta2");  // nothing sounds yet: allowed
    ASSERT_TRUE(h.recordingGrooves()->playing.endsWith("ROK001B.wav"));
    h.box.setPedal1(true);  // the performer starts the song
    h.advance(40);
    h.box.setPedal1(false);
    ASSERT_TRUE(h.recordingGrooves()->playing.endsWith("ROK/ROK001.wav"));
    click(h, "Ascolta2");
    click(h, "Annulla");
    EXPECT_TRUE(h.recordingGrooves()->playing.endsWith("ROK/ROK001.wav"));
}
