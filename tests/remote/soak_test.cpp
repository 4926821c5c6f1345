#include <gtest/gtest.h>

#include <QPushButton>
#include <random>

#include "platform/hirestimer.h"
#include "support/harness.h"
#include "support/testlibrary.h"

// A million random pedal, key and timer events, as a long and careless night on
// stage would bring them: after each one the box's lamps stay within 0..15 and the
// lamp bits agree with what the transport says is sounding.
TEST(Soak, AMillionRandomEventsNeverCorruptTheLamps) {
    Harness h(Harness::Sound::Recording);
    TestLibrary::install(h);
    Audio& w = h.start();
    TestLibrary::connect(h);
    const SharedState& st = w.state();
    std::mt19937 random(20261207);
    const int keys[] = {Qt::Key_Escape, Qt::Key_Space, Qt::Key_Return, Qt::Key_Down,
                        Qt::Key_Up,     Qt::Key_Less,  Qt::Key_F8,     Qt::Key_F2};
    constexpr int kEvents = 1000000;
    int checked = 0;
    for (int i = 0; i < kEvents; ++i) {
        const int pick = int(random() % 1000);
        if (pick < 300) {
            h.box.setPedal1(!(h.box.status() & PortIo::kPedal1));
        } else if (pick < 550) {
            h.box.setPedal2(!(h.box.status() & PortIo::kPedal2));
        } else if (pick < 950) {
            h.clock.advance(double(random() % 120));
        } else if (pick < 990) {
            const int key = keys[random() % (sizeof keys / sizeof *keys)];
            // Preparing reads the list again: keep it to one key in a hundred.
            TestLibrary::key(h, key == Qt::Key_Escape && random() % 4 ? Qt::Key_Less : key);
        } else if (pick < 995) {
            h.box.setLost(true);
            h.clock.advance(40);
            h.box.setLost(false);
        } else if (pick < 998) {
            TestLibrary::key(h, Qt::Key_F10);
        } else {
            h.find<QPushButton>("Collega")->click();
        }
        const int lamps = h.box.lamps();
        const std::int16_t out = st.UscitaPorta;
        ASSERT_TRUE(lamps >= 0 && lamps <= 15) << "event " << i << ": box shows " << lamps;
        ASSERT_TRUE(out >= 0 && out <= 15) << "event " << i << ": output " << out;
        ASSERT_EQ((out & 1) != 0, st.Groove1Attivo) << "event " << i;
        ASSERT_EQ((out & 2) != 0, st.Groove2Attivo) << "event " << i;
        ASSERT_TRUE(!st.Collegato || (out & 8)) << "event " << i;
        ASSERT_TRUE(!(out & 4) || w.controls().TmrBpmOff->isEnabled()) << "event " << i;
        ++checked;
        if (h.prompter.messages.size() > 100) {
            h.prompter.clear();
        }
    }
    for (const VirtualPedalBox::Write& write : h.box.writes()) {
        ASSERT_TRUE(write.value >= 0 && write.value <= 15) << write.value;
    }
    EXPECT_EQ(checked, kEvents);
}
