#include <gtest/gtest.h>

#include <QCheckBox>
#include <QFile>
#include <QLabel>

#include "library/datasource.h"
#include "platform/hirestimer.h"
#include "platform/lamp.h"
#include "playback/audioengine.h"
#include "stage/stagewindow.h"
#include "support/harness.h"
#include "support/testaudio.h"
#include "support/testlibrary.h"

// Cueing the next song while one plays ("Prepara senza fermare").

namespace {

// The test library with the stage settings stored as the settings dialog stores them.
void install(Harness& h, bool cue) {
    TestLibrary::install(h);
    QFile f(h.configPath());
    ASSERT_TRUE(f.open(QIODevice::Append));
    f.write(QByteArray("\"\",256,\"virtual\"\r\n") + (cue ? "-1" : "0") + ",0,50\r\n");
}

// Highlights a song of the title list without preparing it.
void highlight(Harness& h, const QString& title) {
    h.advance(2100);
    TestLibrary::key(h, Qt::Key_F8);
    for (QChar c : title.toUpper()) {
        TestLibrary::key(h, Qt::Key_A + (c.unicode() - 'A'));
    }
}

void pedal1(Harness& h) {
    h.box.setPedal1(true);
    h.advance(40);
    h.box.setPedal1(false);
    h.advance(600);
}

// Alba prepared and sounding, started with pedal 1.
void albaSounding(Harness& h, bool cue) {
    install(h, cue);
    h.start();
    TestLibrary::connect(h);
    TestLibrary::prepare(h, "Alba");
    h.advance(2500);
    pedal1(h);
    ASSERT_TRUE(h.window().state().Groove1Attivo);
}

QString prepared(Harness& h) {
    return h.window().controls().Data2->value(QStringLiteral("Titoli")).toString();
}

QString markShown(Harness& h) {
    return h.find<QLabel>("Prossimo")->text();
}

}  // namespace

TEST(CueNext, SettingOffEscStopsAndPreparesAtOnceAsAlways) {
    Harness h;
    albaSounding(h, false);
    highlight(h, "Brezza");
    TestLibrary::key(h, Qt::Key_Escape);
    EXPECT_EQ(prepared(h), QStringLiteral("Brezza"));
    EXPECT_FALSE(h.window().state().Groove1Attivo);
    EXPECT_EQ(markShown(h), QString());
    h.advance(50);
    EXPECT_FALSE(h.engine()->grooveSounding());
}

TEST(CueNext, SettingOnTheSoundGoesOnBitForBitUntilItStopsThenTheMarkIsPrepared) {
    // Two identical evenings; in one the performer marks Brezza while Alba plays.
    Harness plain;
    Harness cued;
    albaSounding(plain, true);
    albaSounding(cued, true);
    highlight(plain, "Brezza");
    highlight(cued, "Brezza");
    TestLibrary::key(cued, Qt::Key_Escape);
    const std::vector<float> expected = plain.listen(3000);
    const std::vector<float> heard = cued.listen(3000);
    ASSERT_EQ(heard.size(), expected.size());
    EXPECT_EQ(testaudio::mismatches(heard, expected), 0);
    EXPECT_GT(testaudio::peak(heard), 0.3f);

    EXPECT_EQ(prepared(cued), QStringLiteral("Alba"));
    EXPECT_TRUE(cued.window().state().Groove1Attivo);
    EXPECT_EQ(markShown(cued), QStringLiteral("Prossimo: Brezza"));
    TestLibrary::key(cued, Qt::Key_F6);
    auto* stage = cued.window().findChild<StageWindow*>(QStringLiteral("Palco"));
    ASSERT_NE(stage, nullptr);
    EXPECT_EQ(stage->cuedText(), QStringLiteral("Prossimo: Brezza"));
    EXPECT_EQ(stage->titleText(), QStringLiteral("Alba"));

    // The pedal stops Alba: Brezza is prepared at once, its count-in begins.
    cued.box.setPedal1(true);
    cued.advance(40);
    EXPECT_EQ(prepared(cued), QStringLiteral("Brezza"));
    EXPECT_EQ(cued.find<Lamp>("LedPreload")->backColor(), 255);
    EXPECT_TRUE(cued.find<HiResTimer>("TmrBpmOn")->isEnabled());
    EXPECT_NEAR(cued.find<HiResTimer>("TmrBpmOn")->interval(), 60000.0 / 90, 1e-9);
    EXPECT_EQ(markShown(cued), QString());
    EXPECT_EQ(stage->titleText(), QStringLiteral("Brezza"));
    EXPECT_EQ(stage->cuedText(), QString());
    cued.box.setPedal1(false);
    cued.advance(1000);
    EXPECT_EQ(cued.find<Lamp>("LedPreload")->backColor(), 49152);
}

TEST(CueNext, InTheSilenceAfterPedalTwoEscPreparesAtOnce) {
    // Pedal 2 replaces groove 1, then stops groove 2: groove 1's flag stays up, but
    // nothing sounds any more.
    Harness h;
    albaSounding(h, true);
    for (int press = 0; press < 2; ++press) {
        h.box.setPedal2(true);
        h.advance(40);
        h.box.setPedal2(false);
        h.advance(600);
    }
    ASSERT_TRUE(h.window().state().Groove1Attivo);
    ASSERT_FALSE(h.engine()->grooveSounding());
    highlight(h, "Brezza");
    TestLibrary::key(h, Qt::Key_Escape);
    EXPECT_EQ(prepared(h), QStringLiteral("Brezza"));
    EXPECT_EQ(markShown(h), QString());
}

TEST(CueNext, EscMovesTheMarkAndClearsItOnTheMarkedSong) {
    Harness h(Harness::Sound::Recording);
    albaSounding(h, true);
    highlight(h, "Brezza");
    h.recordingGrooves()->calls.clear();
    TestLibrary::key(h, Qt::Key_Escape);
    EXPECT_EQ(markShown(h), QStringLiteral("Prossimo: Brezza"));
    // Its groove is read ahead; nothing that sounds is touched.
    EXPECT_EQ(h.recordingGrooves()->calls,
              QStringList{QStringLiteral("prefetch ") + h.workDir() + "FNK/FNK002.wav"});
    highlight(h, "Gong");
    TestLibrary::key(h, Qt::Key_Escape);
    EXPECT_EQ(markShown(h), QStringLiteral("Prossimo: Gong"));
    TestLibrary::key(h, Qt::Key_Escape);
    EXPECT_EQ(markShown(h), QString());
    EXPECT_EQ(prepared(h), QStringLiteral("Alba"));
    // Without a mark, the sound stopping prepares nothing.
    TestLibrary::key(h, Qt::Key_Space);
    h.advance(100);
    EXPECT_EQ(prepared(h), QStringLiteral("Alba"));
}

TEST(CueNext, SpaceAndTheMp3sEndPrepareTheMark) {
    Harness h(Harness::Sound::Recording);
    albaSounding(h, true);
    highlight(h, "Cielo");
    TestLibrary::key(h, Qt::Key_Escape);
    TestLibrary::key(h, Qt::Key_Space);
    h.advance(40);
    EXPECT_EQ(prepared(h), QStringLiteral("Cielo"));

    // Cielo's MP3 (10 s here) plays; Eco is marked and prepared when the MP3 ends.
    h.clockedPlayer()->setLength(h.workDir() + "MP3A/cielo.mp3", 10);
    TestLibrary::key(h, Qt::Key_Escape);  // Cielo again: prepared anew, nothing sounds
    h.advance(2500);
    pedal1(h);
    ASSERT_TRUE(h.player().isPlaying());
    highlight(h, "Eco");
    TestLibrary::key(h, Qt::Key_Escape);
    EXPECT_EQ(markShown(h), QStringLiteral("Prossimo: Eco"));
    h.advance(2000);
    EXPECT_EQ(prepared(h), QStringLiteral("Cielo"));
    h.advance(6000);
    EXPECT_EQ(prepared(h), QStringLiteral("Eco"));
    EXPECT_EQ(markShown(h), QString());
}

TEST(CueNext, ThePlayListRunsOnAndTheMarkWaitsForItsEnd) {
    Harness h(Harness::Sound::Recording);
    install(h, true);
    h.start();
    TestLibrary::connect(h);
    h.clockedPlayer()->setLength(h.workDir() + "MP3A/cielo.mp3", 5);
    h.clockedPlayer()->setLength(h.workDir() + "MP3B/duna.mp3", 5);
    TestLibrary::key(h, Qt::Key_F2);  // Cielo, Duna, Fiume
    TestLibrary::key(h, Qt::Key_Escape);
    h.advance(2500);
    h.find<QCheckBox>("Stopend")->setChecked(false);
    pedal1(h);
    TestLibrary::key(h, Qt::Key_F8);
    TestLibrary::key(h, Qt::Key_A);  // Alba highlighted in the title list
    TestLibrary::key(h, Qt::Key_Escape);
    EXPECT_EQ(markShown(h), QStringLiteral("Prossimo: Alba"));
    h.advance(6000);  // Cielo has ended: the play list has moved on to Duna
    EXPECT_EQ(prepared(h), QStringLiteral("Duna"));
    EXPECT_TRUE(h.player().isPlaying());
    h.advance(6000);  // Duna has ended, Fiume has no file: the play list stops
    EXPECT_EQ(prepared(h), QStringLiteral("Alba"));
    EXPECT_EQ(h.window().controls().Data2->recordSource(), QStringLiteral("ListaTitoli"));
}
