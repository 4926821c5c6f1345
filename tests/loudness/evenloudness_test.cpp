// Even loudness in the whole program: the library measured in the background, kept
// in the library file and measured again when a file changes; the song dialog's
// trim; the library check; a press while a file is measured; and with the option off
// every file playing exactly as it is.
#include <gtest/gtest.h>

#include <QDoubleSpinBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <algorithm>
#include <cmath>

#include "../editor/editing.h"
#include "app/audiolevels.h"
#include "levelling.h"
#include "library/verifiche.h"
#include "loudness/leveller.h"
#include "playback/audioengine.h"
#include "support/testaudio.h"
#include "support/testlibrary.h"

namespace {

Leveller& leveller(Harness& h) {
    return *h.window().levels().leveller();
}

double db(float gain) {
    return 20 * std::log10(gain);
}

}  // namespace

TEST(EvenLoudness, TheLibraryIsMeasuredKeptAndMeasuredAgainWhenAFileChanges) {
    Harness h;
    TestLibrary::install(h);
    levelling::switchOn(h);
    const QString cielo = h.workDir() + "MP3A/cielo.mp3";
    const QString duna = h.workDir() + "MP3B/duna.mp3";
    testaudio::writeMp3(cielo, 3 * 44100, testaudio::noise(0.5f));
    testaudio::writeMp3(duna, 3 * 44100, testaudio::noise(0.5f / 3.98f));
    h.start();
    TestLibrary::connect(h);
    leveller(h).finishNow();

    // Every file the songs play is measured and kept; a file no folder holds is not.
    const double loud = levelling::stored(h, "cielo.mp3").toDouble();
    const double quiet = levelling::stored(h, "duna.mp3").toDouble();
    EXPECT_NEAR(loud - quiet, 12, 0.5);
    EXPECT_FALSE(levelling::stored(h, "ROK001.wav").isEmpty());
    EXPECT_TRUE(levelling::stored(h, "fiume.mp3").isEmpty());
    // Both are brought to the target.
    AudioEngine& engine = *h.engine();
    EXPECT_NEAR(db(engine.levelOf(cielo)), -16 - loud, 0.01);
    EXPECT_NEAR(db(engine.levelOf(duna)), -16 - quiet, 0.01);

    // The song dialog's trim raises Duna alone, kept in the library.
    TestLibrary::prepare(h, "Duna");
    editing::menu(h, "MenuModificaBrano");
    ASSERT_TRUE(editing::dialog(h));
    editing::dialog(h)->findChild<QDoubleSpinBox*>("SpinCorrezione")->setValue(2.5);
    editing::click(h, "Salva");
    TestLibrary::prepare(h, "Duna");
    EXPECT_NEAR(db(engine.levelOf(duna)), -16 - quiet + 2.5, 0.01);
    EXPECT_NEAR(db(engine.levelOf(cielo)), -16 - loud, 0.01);
    editing::menu(h, "MenuModificaBrano");
    EXPECT_EQ(editing::dialog(h)->findChild<QDoubleSpinBox*>("SpinCorrezione")->value(), 2.5);
    editing::click(h, "Annulla");

    // A file replaced on disk is measured again once its song is prepared; one that
    // cannot be measured plays at unity gain and the library check says why.
    testaudio::writeMp3(cielo, 3 * 44100, testaudio::noise(0.25f));
    testaudio::writeBytes(duna, "no sound here");
    TestLibrary::prepare(h, "Cielo");
    TestLibrary::prepare(h, "Duna");
    leveller(h).finishNow();
    EXPECT_NEAR(levelling::stored(h, "cielo.mp3").toDouble(), loud - 6, 0.5);
    EXPECT_EQ(levelling::stored(h, "duna.mp3"), "null");
    EXPECT_EQ(engine.levelOf(duna), 1.0f);
    // A measure another program spoiled is taken as none: the check measures again.
    PlainSqlite(h.workDir() + SongDatabase::kFileName)
        .exec("UPDATE LivelliFile SET Lufs = 'forte' WHERE Percorso LIKE '%ROK001.wav'");
    h.window().openVerifiche();
    auto* check = h.window().findChild<Verifiche*>();
    ASSERT_TRUE(check);
    check->findChild<QPushButton*>("Inizia")->click();
    EXPECT_TRUE(
        check->log().contains("Volume non misurabile di Duna: il file non si apre come audio.\r\n"))
        << check->log().toStdString();
    leveller(h).finishNow();
    EXPECT_LT(levelling::stored(h, "ROK001.wav").toDouble(), 0);
}

// With the option off, a backing track sounds exactly as an engine that knows nothing
// of loudness plays it. With it on, a pedal pressed while a long file is measured
// sounds at the next poll of the box, as always.
TEST(EvenLoudness, OffEveryFilePlaysAsItIsAndAPressWhileMeasuringSoundsAtOnce) {
    {
        Harness h;
        TestLibrary::ready(h, "Cielo");
        TestLibrary::key(h, Qt::Key_Return);
        const std::vector<float> heard = h.listen(400);
        auto reference = testaudio::offlineEngine();
        reference->setTrackVolume(h.engine()->trackVolume());
        reference->loadTrack(h.workDir() + "MP3A/cielo.mp3");
        reference->playTrack();
        const std::vector<float> plain = testaudio::render(*reference, 44100 / 4);
        // Compared from the first sound on: the same samples, bit for bit.
        const auto sounding = [](const std::vector<float>& v) {
            return std::vector<float>(
                std::find_if(v.begin(), v.end(), [](float s) { return s != 0; }), v.end());
        };
        const std::vector<float> a = sounding(heard);
        const std::vector<float> b = sounding(plain);
        ASSERT_GT(a.size(), 44100u / 5);
        ASSERT_GT(b.size(), 44100u / 5);
        EXPECT_TRUE(std::equal(a.begin(), a.begin() + 44100 / 5, b.begin()));
    }
    Harness h;
    TestLibrary::install(h);
    levelling::switchOn(h);
    // Alba's second groove: two minutes to measure.
    testaudio::writeWav(h.workDir() + "ROK/ROK001B.wav", 120 * 22050, testaudio::noise(0.3f), 22050,
                        1);
    h.start();
    TestLibrary::connect(h);
    TestLibrary::prepare(h, "Alba");
    h.advance(2500);
    ASSERT_TRUE(leveller(h).measuring());
    h.box.setPedal1(true);
    const std::vector<float> heard = h.listen(45);  // one poll of the box and a period
    h.box.setPedal1(false);
    EXPECT_GT(testaudio::peak(heard), 0.05f);
    EXPECT_TRUE(leveller(h).measuring());
}
