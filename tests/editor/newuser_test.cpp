#include <gtest/gtest.h>

#include <QDir>

#include "editing.h"
#include "support/testaudio.h"
#include "support/testlibrary.h"

using namespace editing;

// A new user with an empty library and audio files elsewhere on the disk builds a
// set of a loop song and an MP3 song inside the program, then plays it with the
// pedals, with no other program involved.
TEST(NewUser, BuildsASetFromAnEmptyLibraryAndPlaysItWithThePedals) {
    Harness h;
    h.writeStandardConfig();
    h.writeLibrary({});
    QDir().mkpath(h.path("download"));
    testaudio::writeWav(h.path("download/JAZ001.wav"), 22050, testaudio::sine(440, 0.5f));
    testaudio::writeWav(h.path("download/JAZ001B.wav"), 22050, testaudio::sine(660, 0.5f));
    testaudio::writeMp3(h.path("download/base.mp3"), 44100, testaudio::sine(330, 0.5f));
    h.start();
    ASSERT_EQ(label(h, "Numsongs"), "Songs: 0");

    menu(h, "MenuNuovoBrano");
    type(h, "TextTitoli", "Swing lento");
    click(h, "OptLoop");
    h.fileChooser.files << h.path("download/JAZ001.wav") << h.path("download/JAZ001B.wav");
    click(h, "ScegliGroove1");
    click(h, "ScegliGroove2");
    type(h, "TextBpm", "120");
    setOrder(h, 1, 1);
    click(h, "Salva");

    menu(h, "MenuNuovoBrano");
    type(h, "TextTitoli", "Base finale");
    click(h, "OptMp3");
    h.fileChooser.files << h.path("download/base.mp3");
    h.fileChooser.items << 0;  // into the first MP3 folder
    click(h, "ScegliGroove1");
    setOrder(h, 1, 2);
    click(h, "Salva");
    EXPECT_TRUE(h.prompter.messages.isEmpty());
    EXPECT_EQ(titles(h), QStringList({"Base finale", "Swing lento"}));

    // Running order 1, first song prepared and started by pedal 1.
    TestLibrary::connect(h);
    TestLibrary::key(h, Qt::Key_F1);
    EXPECT_EQ(titles(h), QStringList({"Swing lento", "Base finale"}));
    TestLibrary::key(h, Qt::Key_Escape);
    h.advance(2500);
    h.box.setPedal1(true);
    h.advance(40);
    h.box.setPedal1(false);
    h.advance(300);
    EXPECT_GT(testaudio::peak(h.listen(500)), 0.1f);
    // Stopped, the next song of the set prepared and its backing track started.
    h.box.setPedal1(true);
    h.advance(40);
    h.box.setPedal1(false);
    h.advance(1000);
    TestLibrary::key(h, Qt::Key_Down);
    TestLibrary::key(h, Qt::Key_Escape);
    h.advance(2500);
    EXPECT_EQ(label(h, "Tit"), "Base finale");
    h.box.setPedal1(true);
    h.advance(40);
    h.box.setPedal1(false);
    h.advance(100);
    EXPECT_TRUE(h.player().isPlaying());
    EXPECT_TRUE(h.prompter.messages.isEmpty());
}
