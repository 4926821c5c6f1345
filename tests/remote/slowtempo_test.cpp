// Tempos from the library that give no beat a timer can run.
#include <gtest/gtest.h>

#include "library/songrecord.h"
#include "platform/hirestimer.h"
#include "support/harness.h"
#include "support/testlibrary.h"

TEST(SlowTempo, ABeatLongerThanAnyTimerMeansNoTempo) {
    Harness h(Harness::Sound::Recording);
    SongRecord crawl;
    crawl.Titoli = QStringLiteral("Lentissima");
    crawl.BPM = 0.00001;
    SongRecord slow;
    slow.Titoli = QStringLiteral("Lenta");
    slow.BPM = 0.02;  // a beat of 50 minutes: the slowest there is
    h.writeLibrary({crawl, slow});
    h.writeStandardConfig();
    h.start();
    TestLibrary::connect(h);
    HiResTimer* beat = h.find<HiResTimer>("TmrBpmOn");

    TestLibrary::prepare(h, "Lentissima");
    EXPECT_EQ(h.window().state().Bpm, 0);
    EXPECT_FALSE(beat->isEnabled());
    h.box.clearWrites();
    h.advance(3000);
    EXPECT_TRUE(h.box.writes().isEmpty());

    TestLibrary::prepare(h, "Lenta");
    EXPECT_EQ(h.window().state().Bpm, 0.02);
    EXPECT_TRUE(beat->isEnabled());
    EXPECT_DOUBLE_EQ(beat->interval(), 3000000);
}
