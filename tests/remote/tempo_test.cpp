#include <gtest/gtest.h>

#include <QString>

#include "platform/lamp.h"
#include "support/harness.h"
#include "support/testlibrary.h"

namespace {

// Every value written to the box in the next ms milliseconds, with the time (ms
// from now) it was written at.
QStringList writesOver(Harness& h, int ms) {
    QStringList out;
    int seen = h.box.writes().size();
    for (int t = 1; t <= ms; ++t) {
        h.advance(1);
        for (; seen < h.box.writes().size(); ++seen) {
            out << QStringLiteral("%1@%2").arg(h.box.writes()[seen].value).arg(t);
        }
    }
    return out;
}

void connected(Harness& h, const QByteArray& beats = "4", const QByteArray& metro = "1") {
    TestLibrary::install(h);
    const QByteArray work = h.workDir().toUtf8();
    h.writeConfig("\"2.8\"\n\"" + work + "\"\n5000,50," + metro + "," + beats +
                  "\n\"MS Sans Serif\",10,#FALSE#,#FALSE#\n40,200,700,500\n"
                  "12648447,-2147483641,16377542,-2147483641\n-1,-1,-1,0,0,0,-1\n\"" +
                  work + "MP3A/\"\n\n\n\n\n\n\n\n\n\n170,55,41,40,40,100,100,100\n");
    h.start();
    TestLibrary::connect(h);
    h.box.clearWrites();
}

}  // namespace

TEST(TempoLamp, CountsInFourBeatsAt120BpmWithExactWritesAndTimes) {
    Harness h(Harness::Sound::Recording);
    connected(h);
    TestLibrary::prepare(h, "Alba");
    EXPECT_EQ(writesOver(h, 3000), (QStringList{"12@500", "8@580", "12@1000", "8@1080", "12@1500",
                                                "8@1580", "12@2000", "8@2080"}));
    EXPECT_EQ(h.find<Lamp>("LedConnect")->backColor(), 32768);
    EXPECT_EQ(h.window().state().QuartiRimasti, 0);
}

TEST(TempoLamp, TheConnectLampIsYellowWhileAFlashIsOn) {
    Harness h(Harness::Sound::Recording);
    connected(h);
    TestLibrary::prepare(h, "Alba");
    h.advance(520);
    EXPECT_EQ(h.find<Lamp>("LedConnect")->backColor(), 65535);
    EXPECT_EQ(h.find<Lamp>("LedConnect")->accessibleDescription(), "giallo");
    h.advance(80);
    EXPECT_EQ(h.find<Lamp>("LedConnect")->backColor(), 32768);
}

TEST(TempoLamp, FixedBeatsNeverFlashAndNeitherDoesASongWithoutTempo) {
    Harness fixed(Harness::Sound::Recording);
    connected(fixed, "-1");
    TestLibrary::prepare(fixed, "Alba");
    EXPECT_TRUE(writesOver(fixed, 3000).isEmpty());

    Harness none(Harness::Sound::Recording);
    connected(none);
    TestLibrary::prepare(none, "Eco");
    EXPECT_TRUE(writesOver(none, 3000).isEmpty());
    EXPECT_EQ(none.window().state().Bpm, 0);
}

TEST(TempoLamp, APedalDuringTheCountInEndsItButLetsTheFlashFinish) {
    Harness h(Harness::Sound::Recording);
    connected(h);
    TestLibrary::prepare(h, "Alba");
    h.advance(1020);  // the second flash is on
    h.box.clearWrites();
    h.box.setPedal1(true);
    EXPECT_EQ(writesOver(h, 2000), (QStringList{"13@40", "9@60"}));
}

TEST(TempoLamp, WithoutTheAudioMetronomeTheLampFlashesEveryBeatWithoutPilingUp) {
    Harness h(Harness::Sound::Recording);
    connected(h, "4", "0");
    TestLibrary::prepare(h, "Alba");
    const QStringList writes = writesOver(h, 5100);
    ASSERT_EQ(writes.size(), 20);  // ten beats, each on and off
    for (int i = 0; i < writes.size(); ++i) {
        EXPECT_TRUE(writes[i].startsWith(i % 2 == 0 ? "12@" : "8@")) << writes[i].toStdString();
    }
}

TEST(TempoLamp, ABeatShorterThanTheFlashKeepsTheLampValuesIntact) {
    Harness h(Harness::Sound::Recording);
    connected(h);
    TestLibrary::prepare(h, "Gong");  // 800 BPM: a beat of 75 ms
    for (const QString& w : writesOver(h, 1000)) {
        const int value = w.section('@', 0, 0).toInt();
        EXPECT_TRUE(value == 8 || value == 12) << w.toStdString();
    }
    h.advance(500);
    EXPECT_EQ(h.window().state().UscitaPorta, 8);
}

TEST(TempoLamp, PreparingAgainDuringAFlashDoesNotCorruptTheLamps) {
    Harness h(Harness::Sound::Recording);
    connected(h);
    TestLibrary::prepare(h, "Alba");
    h.advance(510);  // flash on: 12
    h.box.clearWrites();
    TestLibrary::key(h, Qt::Key_Down);    // Brezza
    TestLibrary::key(h, Qt::Key_Escape);  // sets 8 while the flash is still on
    ASSERT_EQ(h.window().state().Bpm, 90);
    const QStringList writes = writesOver(h, 1000);
    ASSERT_FALSE(writes.isEmpty());
    EXPECT_TRUE(writes.first().startsWith("8@"));  // the flash ends on 8, not 4
    for (const QString& w : writes) {
        const int value = w.section('@', 0, 0).toInt();
        EXPECT_TRUE(value == 8 || value == 12) << w.toStdString();
    }
}

TEST(TempoLamp, CountInKeysRestartOnlyWhileAttached) {
    Harness h(Harness::Sound::Recording);
    connected(h);
    TestLibrary::prepare(h, "Alba");
    h.advance(3000);
    h.box.clearWrites();
    TestLibrary::key(h, Qt::Key_Less);
    EXPECT_EQ(writesOver(h, 2100).size(), 8);
    TestLibrary::key(h, Qt::Key_F10);
    h.box.clearWrites();
    TestLibrary::key(h, Qt::Key_Backslash);
    EXPECT_TRUE(writesOver(h, 2100).isEmpty());
}
