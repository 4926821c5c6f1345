// The silent preload after Esc or Space, and what the performer does while it runs:
// the preload's end never silences what was started meanwhile, keeps the volume the
// performer chose, and a preload started again is never cut short by the old one.
#include <gtest/gtest.h>

#include <QScrollBar>

#include "platform/lamp.h"
#include "playback/audioengine.h"
#include "support/harness.h"
#include "support/testaudio.h"
#include "support/testlibrary.h"

using TestLibrary::key;

using testaudio::crossings;

namespace {

// The library installed, the box connected, Alba (grooves at 440 and 660 Hz)
// prepared and its preload over; then Esc again on it, which starts a new preload
// (200 ms to the muted play, 700 ms more to its end).
void preparedAgain(Harness& h) {
    TestLibrary::ready(h, "Alba");
    key(h, Qt::Key_Escape);
}

void press(Harness& h, bool pedal1) {
    pedal1 ? h.box.setPedal1(true) : h.box.setPedal2(true);
    h.advance(40);
    pedal1 ? h.box.setPedal1(false) : h.box.setPedal2(false);
}

qint64 colour(Harness& h, const char* lamp) {
    return h.find<Lamp>(lamp)->backColor();
}

}  // namespace

TEST(Preload, WhatThePerformerStartsDuringThePreloadSoundsOnAfterIt) {
    {
        SCOPED_TRACE("pedal 1, 300 ms after Esc (after the muted play)");
        Harness h;
        preparedAgain(h);
        h.advance(300);
        press(h, true);
        h.advance(700);  // the preload has ended
        EXPECT_EQ(colour(h, "LedPreload"), 49152);
        EXPECT_EQ(colour(h, "LedPed1"), 255);
        EXPECT_NEAR(crossings(h.listen(100)), 88, 2);
    }
    {
        SCOPED_TRACE("pedal 2, 100 ms after Space (before the muted play)");
        Harness h;
        TestLibrary::ready(h, "Alba");
        key(h, Qt::Key_Space);
        h.advance(100);
        press(h, false);
        h.advance(1000);
        EXPECT_EQ(colour(h, "LedPed2"), 255);
        EXPECT_NEAR(crossings(h.listen(100)), 132, 2);  // groove 2, not groove 1
    }
    {
        SCOPED_TRACE("Enter, 300 ms after Esc");
        Harness h;
        preparedAgain(h);
        h.advance(300);
        key(h, Qt::Key_Return);
        h.advance(800);
        EXPECT_NEAR(crossings(h.listen(100)), 88, 2);
    }
    {
        SCOPED_TRACE("nothing: the preload's own groove stops at its end");
        Harness h;
        preparedAgain(h);
        h.advance(1000);
        EXPECT_FALSE(h.engine()->grooveSounding());
        EXPECT_EQ(testaudio::peak(h.listen(100)), 0.0f);
    }
}

// Esc or Space again late in a preload: the old preload's end must not give the
// volume back under the new one, whose muted groove would then be heard.
TEST(Preload, APreloadStartedAgainStaysSilentToItsOwnEnd) {
    for (int again : {Qt::Key_Escape, Qt::Key_Space}) {
        SCOPED_TRACE(again == Qt::Key_Escape ? "Esc" : "Space");
        Harness h;
        preparedAgain(h);
        h.advance(750);
        key(h, again);
        EXPECT_EQ(testaudio::peak(h.listen(880)), 0.0f);
        EXPECT_EQ(colour(h, "LedPreload"), 255);
        h.advance(40);
        EXPECT_EQ(colour(h, "LedPreload"), 49152);
        EXPECT_EQ(h.volume.level(), 65534);
        EXPECT_FALSE(h.engine()->grooveSounding());
    }
}

// A volume key or the slider moved during the preload is remembered, not heard: the
// preload's end gives the output the new level.
TEST(Preload, AVolumeChangedDuringThePreloadAppliesAtItsEnd) {
    {
        SCOPED_TRACE("the minus key");
        Harness h;
        preparedAgain(h);
        h.advance(300);
        key(h, Qt::Key_Minus);
        EXPECT_EQ(h.find<QScrollBar>("Vol1")->value(), 31767);
        EXPECT_EQ(h.volume.level(), 0);
        EXPECT_EQ(testaudio::peak(h.listen(550)), 0.0f);
        h.advance(100);
        EXPECT_EQ(h.volume.level(), 2 * 31767);
    }
    {
        SCOPED_TRACE("the slider, dragged");
        Harness h;
        preparedAgain(h);
        h.advance(300);
        h.find<QScrollBar>("Vol1")->setValue(12000);
        EXPECT_EQ(h.volume.level(), 0);
        EXPECT_EQ(testaudio::peak(h.listen(550)), 0.0f);
        h.advance(100);
        EXPECT_EQ(h.volume.level(), 24000);
        // Outside the preload the slider acts at once.
        h.find<QScrollBar>("Vol1")->setValue(20000);
        EXPECT_EQ(h.volume.level(), 40000);
    }
}
