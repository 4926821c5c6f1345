#include <gtest/gtest.h>

#include <QCheckBox>

#include "library/datasource.h"
#include "platform/hirestimer.h"
#include "platform/lamp.h"
#include "playback/audioengine.h"
#include "playback/mediaplayer.h"
#include "support/harness.h"
#include "support/testaudio.h"
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

namespace {

// How the sound device delivers its periods, and how often the main tick looks.
struct Device {
    const char* name;
    std::vector<int> callbacks;
    int burst;
    double tickMs;
};

}  // namespace

// Whatever the device's period and however unevenly its callbacks come, the player's
// position moves between any two looks while the song plays, stays within a period
// of what was rendered, and stops exactly at the song's end: each song of the list
// plays whole, and the list ends only when the last has ended.
TEST(PlayList, EverySongPlaysWholeWhateverTheDevicesPeriods) {
    const Device devices[] = {
        {"2048-frame periods, 40 ms tick", {2048}, 1, 40},
        {"256-frame periods, 5 ms tick", {256}, 1, 5},
        {"2048-frame periods, 5 ms tick", {2048}, 1, 5},
        {"bursts of four 1024-frame periods, 5 ms tick", {1024}, 4, 5},
        {"uneven callbacks, 5 ms tick", {2048, 64, 1000, 333, 1500}, 1, 5},
    };
    for (const Device& device : devices) {
        SCOPED_TRACE(device.name);
        Harness h;
        h.setAudioCallbacks(device.callbacks, device.burst);
        TestLibrary::install(h);
        const double cieloEnd =
            double(testaudio::decode(h.workDir() + "MP3A/cielo.mp3").size() / 2);
        const double dunaEnd = double(testaudio::decode(h.workDir() + "MP3B/duna.mp3").size() / 2);
        h.start();
        h.find<HiResTimer>("HiResTimer1")->setInterval(device.tickMs);
        TestLibrary::connect(h);
        key(h, Qt::Key_F3);
        key(h, Qt::Key_Escape);
        h.advance(1000);
        h.find<QCheckBox>("Stopend")->click();
        h.box.setPedal1(true);
        h.advance(device.tickMs);
        h.box.setPedal1(false);
        ASSERT_TRUE(h.player().isPlaying());

        int period = 0;
        for (int frames : device.callbacks) {
            period = std::max(period, frames);
        }
        QString title = preparedTitle(h);
        double last = h.player().position();
        QStringList order{title};
        for (int step = 0; step < int(3000 / device.tickMs) && h.window().state().Groove1Attivo;
             ++step) {
            h.advance(device.tickMs);
            const double now = h.player().position();
            if (preparedTitle(h) != title) {
                // The list moved on: the song before had reached exactly its end.
                EXPECT_EQ(last * 44100, title == "Cielo" ? cieloEnd : dunaEnd) << step;
                title = preparedTitle(h);
                order << title;
            } else if (h.player().isPlaying()) {
                ASSERT_GT(now, last) << "the position stood still at step " << step;
                EXPECT_LE(now * 44100, h.engine()->trackPosition() * 44100 + period + 0.5);
            }
            last = now;
        }
        EXPECT_EQ(order, (QStringList{"Cielo", "Duna"}));
        EXPECT_FALSE(h.window().state().Groove1Attivo);
        EXPECT_DOUBLE_EQ(h.player().position() * 44100, dunaEnd);
        EXPECT_EQ(h.find<Lamp>("LedPed1")->backColor(), 8421504);
    }
}
