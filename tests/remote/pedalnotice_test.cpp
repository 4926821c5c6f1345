#include <gtest/gtest.h>

#include <QLabel>
#include <QStatusBar>

#include "platform/statuslines.h"
#include "remote/pedalnotice.h"
#include "support/harness.h"
#include "support/testlibrary.h"

// What the pedal box has to say mid-show: a line at the foot of the main window that
// goes by itself, never a message box, and never takes another line with it.
TEST(PedalNotice, ShowsOnTheWindowWithoutAMessageBoxAndGoesByItself) {
    Harness h;
    TestLibrary::install(h);
    Audio& w = h.start();
    EXPECT_EQ(w.findChild<QLabel*>("AvvisoPedaliera"), nullptr);
    emit h.box.notice(QStringLiteral("Pedaliera riaperta"));
    auto* line = h.find<QLabel>("AvvisoPedaliera");
    ASSERT_NE(line, nullptr);
    EXPECT_TRUE(line->isVisible());
    EXPECT_EQ(line->text(), "Pedaliera riaperta");
    EXPECT_TRUE(h.prompter.messages.isEmpty());

    // A newer line starts the time again.
    h.advance(PedalNotice::kShowMs / 2);
    emit h.box.notice(QStringLiteral("Ancora"));
    h.advance(PedalNotice::kShowMs - 40);
    EXPECT_TRUE(line->isVisible());
    EXPECT_EQ(line->text(), "Ancora");
    h.advance(80);
    EXPECT_FALSE(line->isVisible());
    EXPECT_FALSE(w.statusBar()->isVisible());

    // Another part's line stays when the notice goes, and the bar with it.
    QLabel other(QStringLiteral("Ripresa"));
    StatusLines::show(w, other);
    emit h.box.notice(QStringLiteral("Di nuovo"));
    h.advance(PedalNotice::kShowMs + 40);
    EXPECT_FALSE(line->isVisible());
    EXPECT_TRUE(other.isVisible());
    EXPECT_TRUE(w.statusBar()->isVisible());
}
