#include <gtest/gtest.h>

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QRadioButton>
#include <QScrollBar>
#include <QTest>

#include "about/info.h"
#include "app/diagnostica.h"
#include "app/keyboard.h"
#include "library/datasource.h"
#include "library/songgrid.h"
#include "platform/hirestimer.h"
#include "platform/lamp.h"
#include "support/harness.h"
#include "support/testlibrary.h"

using TestLibrary::key;

namespace {

QString currentTitle(Harness& h) {
    return h.window().controls().Data1->value(QStringLiteral("Titoli")).toString();
}

}  // namespace

TEST(Keys, IncrementalSearchBuildsOnLettersTypedWithinTwoSeconds) {
    Harness h(Harness::Sound::Recording);
    TestLibrary::install(h);
    h.start();
    key(h, Qt::Key_D);
    EXPECT_EQ(h.window().keyboard().Ricerca(), "D");
    EXPECT_EQ(currentTitle(h), "Duna");
    h.advance(1000);
    key(h, Qt::Key_U);
    EXPECT_EQ(h.window().keyboard().Ricerca(), "DU");
    h.advance(2010);
    key(h, Qt::Key_B, Qt::ShiftModifier);  // any modifier: still a letter
    EXPECT_EQ(h.window().keyboard().Ricerca(), "B");
    EXPECT_EQ(currentTitle(h), "Brezza");
    // The author list searches authors; a running order ignores letters.
    key(h, Qt::Key_F7);
    h.advance(2100);
    key(h, Qt::Key_A);
    key(h, Qt::Key_U);
    key(h, Qt::Key_T);
    EXPECT_TRUE(currentTitle(h).size() > 0);
    key(h, Qt::Key_F2);
    const QString before = currentTitle(h);
    h.advance(2100);
    key(h, Qt::Key_D);
    EXPECT_EQ(currentTitle(h), before);
}

TEST(Keys, FunctionKeysChooseListsAndViewsEvenUnderTheCover) {
    Harness h(Harness::Sound::Recording);
    TestLibrary::install(h);
    h.start();
    AudioControls& c = h.window().controls();
    key(h, Qt::Key_F2);
    EXPECT_EQ(c.CmbScalette->currentText(), " Scaletta 2  [F2]");
    EXPECT_FALSE(c.Tappo->isHidden());
    EXPECT_EQ(c.Numsongs->text(), "Songs: 3");
    key(h, Qt::Key_F11);  // the loop view replaces the running order, cover stays
    EXPECT_TRUE(c.VisLoop->isChecked());
    EXPECT_EQ(c.Numsongs->text(), "Songs: 3");  // Alba, Brezza, Gong
    EXPECT_FALSE(c.Tappo->isHidden());
    EXPECT_EQ(c.CmbScalette->currentText(), " Scaletta 2  [F2]");
    key(h, Qt::Key_F12);
    EXPECT_EQ(c.Numsongs->text(), "Songs: 3");  // the MP3 songs: Cielo, Duna, Fiume
    key(h, Qt::Key_0);                          // folder filter 0 (MP3A): Cielo only
    EXPECT_TRUE(c.Filtro[0]->isChecked());
    EXPECT_EQ(c.Numsongs->text(), "Songs: 1");
    key(h, Qt::Key_1, Qt::KeypadModifier);
    EXPECT_TRUE(c.Filtro[1]->isChecked());
    EXPECT_EQ(currentTitle(h), "Duna");
    key(h, Qt::Key_F9);
    EXPECT_EQ(c.Numsongs->text(), "Songs: 7");
    key(h, Qt::Key_F7);
    EXPECT_TRUE(c.Tappo->isHidden());
}

TEST(Keys, TheFocusComesBackToTheGridAndControlsDoNotSwallowCommandKeys) {
    Harness h(Harness::Sound::Recording);
    TestLibrary::install(h);
    Audio& w = h.start();
    w.activateWindow();
    AudioControls& c = w.controls();
    c.CmbScalette->setFocus();
    QTest::keyClick(c.CmbScalette, Qt::Key_F6);  // no command
    EXPECT_TRUE(c.DBGrid1->hasFocus() || QApplication::focusWidget() == nullptr);
    QTest::keyClick(c.CmbScalette, Qt::Key_Space);  // stop, not the combo's popup
    EXPECT_EQ(h.find<Lamp>("LedPreload")->backColor(), 255);
    EXPECT_FALSE(c.CmbScalette->view()->isVisible());
    // The arrows move the song list whichever control they were typed into.
    key(h, Qt::Key_F8);
    const int row = c.Data1->absolutePosition();
    QTest::keyClick(c.Vol1, Qt::Key_Down);
    EXPECT_EQ(c.Data1->absolutePosition(), row + 1);
    EXPECT_EQ(c.Vol1->value(), 32767);
}

TEST(Keys, EnterStartsAnMp3WithoutTouchingFlagsOrLamps) {
    Harness h;
    TestLibrary::install(h);
    h.start();
    TestLibrary::connect(h);
    TestLibrary::prepare(h, "Cielo");
    h.advance(1000);
    key(h, Qt::Key_Return);
    h.advance(40);
    EXPECT_TRUE(h.player().isPlaying());
    EXPECT_FALSE(h.window().state().Groove1Attivo);
    EXPECT_EQ(h.find<Lamp>("LedPed1")->backColor(), 8421504);
    // So the next press of pedal 1 starts it rather than stopping it.
    h.box.setPedal1(true);
    h.advance(40);
    EXPECT_TRUE(h.window().state().Groove1Attivo);
    EXPECT_TRUE(h.player().isPlaying());
}

TEST(Keys, SpaceWhileDetachedStopsMutesAndRunsThePreloadAgain) {
    Harness h;
    TestLibrary::install(h);
    Audio& w = h.start();
    key(h, Qt::Key_Space);
    EXPECT_EQ(h.volume.level(), 0);
    EXPECT_EQ(h.find<Lamp>("LedPreload")->backColor(), 255);
    EXPECT_TRUE(h.find<HiResTimer>("TmrPrePreload")->isEnabled());
    EXPECT_EQ(w.state().UscitaPorta, 8);
    EXPECT_TRUE(h.box.writtenValues().isEmpty());
    // The diagnostics panel is loaded, hidden, by clearing its log.
    ASSERT_NE(w.loadedDiagnostica(), nullptr);
    EXPECT_FALSE(w.loadedDiagnostica()->isVisible());
    h.advance(1000);
    EXPECT_EQ(h.volume.level(), 65534);
    EXPECT_EQ(h.find<Lamp>("LedPreload")->backColor(), 49152);
}

TEST(Keys, VolumeKeysStepAndStopExactlyAtTheSlidersEnds) {
    Harness h(Harness::Sound::Recording);
    TestLibrary::install(h);
    h.start();
    QScrollBar* wave = h.find<QScrollBar>("Vol1");
    QScrollBar* mp3 = h.find<QScrollBar>("HSVolumeMp3");
    wave->setValue(32000);
    key(h, Qt::Key_Plus, Qt::KeypadModifier);
    EXPECT_EQ(wave->value(), 32767);
    EXPECT_EQ(h.volume.level(), 65534);
    key(h, Qt::Key_Minus);
    EXPECT_EQ(wave->value(), 31767);
    EXPECT_EQ(h.volume.level(), 63534);
    wave->setValue(500);
    key(h, Qt::Key_Minus);
    EXPECT_EQ(wave->value(), 0);
    EXPECT_EQ(h.volume.level(), 0);
    mp3->setValue(-1950);
    key(h, Qt::Key_Minus, Qt::ShiftModifier);
    EXPECT_EQ(mp3->value(), -2000);
    EXPECT_EQ(h.player().volume(), -2000);
    mp3->setValue(-50);
    key(h, Qt::Key_Plus, Qt::ControlModifier);
    EXPECT_EQ(mp3->value(), 0);
    EXPECT_EQ(h.player().volume(), 0);
}

TEST(Keys, F10DisconnectsAndInsertOpensTheAboutBox) {
    Harness h(Harness::Sound::Recording);
    TestLibrary::install(h);
    Audio& w = h.start();
    TestLibrary::connect(h);
    key(h, Qt::Key_F10);
    EXPECT_FALSE(w.state().Collegato);
    EXPECT_EQ(h.box.writtenValues().last(), 0);
    key(h, Qt::Key_Insert);
    auto* info = w.findChild<Info*>("Info");
    ASSERT_NE(info, nullptr);
    EXPECT_TRUE(info->isVisible());
    EXPECT_EQ(info->windowTitle(), "Informazioni su Quintora");
}

TEST(Keys, ThePauseBetweenLettersIsMeasuredAcrossMidnight) {
    Harness h(Harness::Sound::Recording);
    TestLibrary::install(h);
    h.start();
    h.clock.setTimeOfDay(24 * 3600.0 - 60);  // a minute to midnight
    key(h, Qt::Key_D);
    h.advance(5 * 60 * 1000.0);  // five minutes later, after midnight
    key(h, Qt::Key_B);
    EXPECT_EQ(h.window().keyboard().Ricerca(), "B");
    EXPECT_EQ(currentTitle(h), "Brezza");
    // Letters close together keep building the search across midnight too.
    h.advance(2100);
    h.clock.setTimeOfDay(24 * 3600.0 - 0.5);
    key(h, Qt::Key_D);
    h.advance(1000);
    key(h, Qt::Key_U);
    EXPECT_EQ(h.window().keyboard().Ricerca(), "DU");
    // And the clock being set back an hour does not freeze the search either.
    h.advance(500);
    h.clock.setTimeOfDay(h.clock.timeOfDay() - 3600);
    h.advance(2100);
    key(h, Qt::Key_E);
    EXPECT_EQ(h.window().keyboard().Ricerca(), "E");
}
