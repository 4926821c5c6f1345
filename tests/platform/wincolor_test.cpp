#include <gtest/gtest.h>

#include "platform/lamp.h"
#include "platform/wincolor.h"

TEST(WinColor, RedIsTheLowByteAndSystemColoursComeFromThePalette) {
    EXPECT_EQ(WinColor::toQColor(255, QPalette()), QColor(255, 0, 0));
    EXPECT_EQ(WinColor::toQColor(12648447, QPalette()), QColor(0xFF, 0xFF, 0xC0));
    EXPECT_EQ(WinColor::toQColor(16377542, QPalette()), QColor(0xC6, 0xE6, 0xF9));
    QPalette p;
    p.setColor(QPalette::Active, QPalette::WindowText, QColor(1, 2, 3));
    EXPECT_EQ(WinColor::toQColor(-2147483641, p), QColor(1, 2, 3));   // menu text
    EXPECT_EQ(WinColor::toQColor(0x80000007LL, p), QColor(1, 2, 3));  // unsigned form
    EXPECT_TRUE(WinColor::isSystemColor(-2147483641));
    EXPECT_FALSE(WinColor::isSystemColor(16377542));
    EXPECT_EQ(WinColor::fromQColor(QColor(0xC6, 0xE6, 0xF9)), 16377542);
}

TEST(Lamp, TellsAssistiveTechnologyWhatItShowsAndItsColour) {
    Lamp lamp(QStringLiteral("LedPed1"), QStringLiteral("Pedale 1"), WinColor::kGrey);
    EXPECT_EQ(lamp.objectName(), "LedPed1");
    EXPECT_EQ(lamp.accessibleName(), "Pedale 1");
    EXPECT_EQ(lamp.accessibleDescription(), "grigio");
    lamp.setBackColor(WinColor::kRed);
    EXPECT_EQ(lamp.property("backColor").toLongLong(), 255);
    EXPECT_EQ(lamp.accessibleDescription(), "rosso");
    lamp.setBackColor(WinColor::kYellow);
    EXPECT_EQ(lamp.accessibleDescription(), "giallo");
    lamp.setBackColor(WinColor::kLightGreen);
    EXPECT_EQ(lamp.accessibleDescription(), "verde");
}
