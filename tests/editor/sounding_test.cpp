#include <gtest/gtest.h>

#include <QFile>
#include <QTest>

#include "config/sharedstate.h"
#include "editing.h"
#include "platform/hirestimer.h"
#include "support/testaudio.h"
#include "support/testlibrary.h"

using namespace editing;

namespace {

// Alba prepared and started by pedal 1; the groove sounds.
void playing(Harness& h) {
    TestLibrary::ready(h, "Alba");
    h.box.setPedal1(true);
    h.advance(40);
    h.box.setPedal1(false);
    h.advance(600);
}

}  // namespace

// The same performance twice, once with the prepared song changed and another
// song added in the middle of it: the sound is the very same, sample for sample.
TEST(EditWhileSounding, LeavesTheSoundAndThePreparedSongAsTheyWere) {
    Harness quiet;
    playing(quiet);
    quiet.listen(300);
    const std::vector<float> expected = quiet.listen(1500);

    Harness h;
    playing(h);
    h.listen(300);
    ASSERT_EQ(highlighted(h), "Alba");
    menu(h, "MenuModificaBrano");
    type(h, "TextTitoli", "Alba nuova");
    type(h, "TextBpm", "70");
    field(h, "TextGroove2")->clear();
    click(h, "Salva");
    menu(h, "MenuNuovoBrano");
    type(h, "TextTitoli", "Aaa");
    click(h, "Salva");
    const std::vector<float> heard = h.listen(1500);

    ASSERT_EQ(heard.size(), expected.size());
    EXPECT_GT(testaudio::peak(heard), 0.1f);
    EXPECT_EQ(testaudio::mismatches(heard, expected), 0);
    // The prepared song's data changes only at its next preparation.
    EXPECT_EQ(h.window().state().Bpm, 120);
    EXPECT_TRUE(h.window().state().FileGroove2.endsWith("ROK001B.wav"));
    EXPECT_EQ(h.find<HiResTimer>("TmrBpmOn")->interval(), 500);
    // The prepared song's list keeps the prepared song highlighted.
    EXPECT_EQ(h.window().controls().Data2->value("Titoli").toString(), "Alba nuova");
    EXPECT_EQ(highlighted(h), "Aaa");
}

// Typing into the song dialog (blanks, letters, Esc) is never taken for the main
// window's commands.
TEST(EditWhileSounding, KeysTypedInTheDialogAreNotCommands) {
    Harness h(Harness::Sound::Recording);
    playing(h);
    ASSERT_FALSE(h.recordingGrooves()->playing.isEmpty());
    menu(h, "MenuModificaBrano");
    QTest::keyClicks(field(h, "TextTitoli"), " F ");
    QTest::keyClick(field(h, "TextAutore"), Qt::Key_F2);
    h.advance(40);
    EXPECT_FALSE(h.recordingGrooves()->playing.isEmpty());
    EXPECT_EQ(field(h, "TextTitoli")->text(), "Alba F ");
    EXPECT_EQ(h.window().controls().Data1->recordSource(), "ListaTitoli");
}
