// "Livella il volume" in the settings dialog and in the configuration file.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QDoubleSpinBox>

#include "app/audiolevels.h"
#include "config/configcodec.h"
#include "loudness/leveller.h"
#include "settings/settingstest.h"
#include "support/testlibrary.h"

using namespace settingstest;

TEST(LevelSettings, AreSavedOnALineOfTheirOwnTakeEffectAtTheSaveAndReadBack) {
    Harness h;
    TestLibrary::install(h);
    h.start();
    ASSERT_NE(open(h), nullptr);
    auto* on = control<QCheckBox>(h, QStringLiteral("CheckLivella"));
    auto* target = control<QDoubleSpinBox>(h, QStringLiteral("SpinObiettivo"));
    EXPECT_FALSE(on->isChecked());
    EXPECT_FALSE(target->isEnabled());  // waits for the box
    EXPECT_EQ(target->value(), -16);
    EXPECT_EQ(control<QDoubleSpinBox>(h, QStringLiteral("SpinTetto"))->value(), -1);
    on->setChecked(true);
    target->setValue(-14);
    press(h, QStringLiteral("Esci"));
    settle();
    // The stage lines before it are written too, at their defaults.
    const QList<QByteArray> lines = savedLines(h);
    ASSERT_EQ(lines.size(), 22);
    EXPECT_EQ(lines[19], "0,0,50");
    EXPECT_EQ(lines[20], "0");
    EXPECT_EQ(lines[21], "-1,-14,-1");
    const LevelOptions taken = h.window().levels().leveller()->options();
    EXPECT_TRUE(taken.on);
    EXPECT_EQ(taken.target, -14);

    // Read back; a line out of range or some other program's keeps the defaults.
    const QByteArray plain = ConfigCodec::write(ConfigData{});
    ConfigReadResult r = ConfigCodec::read(plain + "0,0,50\r\n0\r\n-1,-14,-1\r\n");
    EXPECT_TRUE(r.problems.isEmpty());
    EXPECT_EQ(r.data.levelOn, -1);
    EXPECT_EQ(r.data.levelTarget, -14);
    for (const QByteArray& line : {QByteArray("-1,-50,-1"), QByteArray("-1,-16,1"),
                                   QByteArray("\"newer\",-16,-1"), QByteArray("1,-16,-1")}) {
        r = ConfigCodec::read(plain + "0,0,50\r\n0\r\n" + line + "\r\n");
        EXPECT_TRUE(r.problems.isEmpty()) << line.constData();
        EXPECT_EQ(r.data.levelOn, 0) << line.constData();
        EXPECT_EQ(r.data.levelTarget, -16) << line.constData();
    }
}
