#include <gtest/gtest.h>

#include "editing.h"
#include "editor/taptempo.h"
#include "support/testlibrary.h"

using namespace editing;

TEST(SongTempo, TapAveragesTheLastTapsAndStartsAgainAfterAPause) {
    Harness h;
    TestLibrary::install(h);
    h.start();
    menu(h, "MenuNuovoBrano");
    click(h, "Tap");
    EXPECT_EQ(field(h, "TextBpm")->text(), "");  // one tap is no tempo yet
    for (int i = 0; i < 3; ++i) {
        h.advance(500);
        click(h, "Tap");
    }
    EXPECT_EQ(field(h, "TextBpm")->text(), "120");
    // An uneven tap counts in the average only.
    h.advance(600);
    click(h, "Tap");
    EXPECT_EQ(field(h, "TextBpm")->text(), "114.3");
    // After a pause the old taps no longer count.
    h.advance(5000);
    click(h, "Tap");
    h.advance(400);
    click(h, "Tap");
    EXPECT_EQ(field(h, "TextBpm")->text(), "150");
    // Nine taps later only the last eight count.
    for (int i = 0; i < 9; ++i) {
        h.advance(i < 2 ? 1000 : 250);
        click(h, "Tap");
    }
    EXPECT_EQ(field(h, "TextBpm")->text(), "240");
}

TEST(SongTempo, FromTheGrooveLengthAndItsBeats) {
    Harness h;
    TestLibrary::install(h);
    h.start();
    menu(h, "MenuModificaBrano");  // Alba: ROK001.wav lasts 0.5 s
    h.fileChooser.items << 2;      // 4 beats
    click(h, "DalGroove");
    ASSERT_EQ(h.fileChooser.itemLists.size(), 1);
    EXPECT_EQ(h.fileChooser.itemLists[0].mid(0, 5), QStringList({"1", "2", "4", "8", "16"}));
    EXPECT_EQ(h.fileChooser.itemProposals, QList<int>({0}));  // 1 beat: 120 BPM
    EXPECT_EQ(field(h, "TextBpm")->text(), "480");
    click(h, "DalGroove");  // cancelled: the tempo stays
    EXPECT_EQ(field(h, "TextBpm")->text(), "480");
    // A groove that is not there is told, not measured.
    field(h, "TextGroove1")->setText("XYZ999.wav");
    click(h, "DalGroove");
    EXPECT_TRUE(h.prompter.texts().last().startsWith("Impossibile misurare il groove"));
    EXPECT_EQ(h.fileChooser.itemLists.size(), 2);
}

TEST(SongTempo, TheBeatsProposedPutTheTempoWhereSongsAre) {
    const struct {
        double ms;
        int beats;
    } cases[] = {{500, 1}, {2000, 4}, {1000, 2},   {3000, 8}, {8000, 16}, {16000, 32},
                 {700, 1}, {1400, 2}, {30000, 64}, {100, 1},  {0, 1},     {-5, 1}};
    for (const auto& c : cases) {
        const int beats = TapTempo::beatsFor(c.ms);
        EXPECT_EQ(beats, c.beats) << c.ms << " ms";
        const double bpm = TapTempo::fromGroove(c.ms, beats);
        if (c.ms >= 300 && c.ms <= 19200) {
            EXPECT_TRUE(bpm >= 60 && bpm <= 200) << c.ms << " ms: " << bpm;
        }
    }
}
