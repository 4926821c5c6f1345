#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QSpinBox>

#include "config/configcodec.h"
#include "settings/settingstest.h"
#include "support/testlibrary.h"

// The stage settings in the settings dialog and the configuration file.

using namespace settingstest;

namespace {

void choose(Harness& h, bool cue, int output, int level) {
    control<QCheckBox>(h, QStringLiteral("CheckPrepara"))->setChecked(cue);
    auto* box = control<QComboBox>(h, QStringLiteral("CmbClick"));
    box->setCurrentIndex(box->findData(output));
    control<QSpinBox>(h, QStringLiteral("SpinClick"))->setValue(level);
}

}  // namespace

TEST(StageSettings, AreShownSavedAndTakeEffectAtTheSave) {
    Harness h(Harness::Sound::Recording);
    TestLibrary::install(h);
    h.start();
    ASSERT_NE(open(h), nullptr);
    EXPECT_FALSE(control<QCheckBox>(h, QStringLiteral("CheckPrepara"))->isChecked());
    EXPECT_EQ(control<QComboBox>(h, QStringLiteral("CmbClick"))->currentText(),
              QStringLiteral("Nessuna"));
    choose(h, true, 1, 80);
    press(h, QStringLiteral("Esci"));
    settle();
    const QList<QByteArray> lines = savedLines(h);
    ASSERT_EQ(lines.size(), 20);
    EXPECT_EQ(lines[19], "-1,1,80");
    EXPECT_TRUE(h.prompter.messages.isEmpty());
    EXPECT_EQ(h.devices.applied.last().channels, 2);

    // Esc while a song sounds now marks the highlighted song.
    TestLibrary::connect(h);
    TestLibrary::prepare(h, "Alba");
    h.advance(1000);
    TestLibrary::key(h, Qt::Key_Return);  // Enter starts the groove, no flag set
    h.box.setPedal1(true);
    h.advance(40);
    TestLibrary::key(h, Qt::Key_Up);
    TestLibrary::key(h, Qt::Key_Escape);
    EXPECT_TRUE(h.find<QLabel>("Prossimo")->text().startsWith(QStringLiteral("Prossimo: ")));

    // Back to the defaults: the file is as everyone else's, without the stage line.
    ASSERT_NE(open(h), nullptr);
    EXPECT_TRUE(control<QCheckBox>(h, QStringLiteral("CheckPrepara"))->isChecked());
    EXPECT_EQ(control<QSpinBox>(h, QStringLiteral("SpinClick"))->value(), 80);
    choose(h, false, 0, 50);
    // "Prepara il successivo" alone needs the stage line before its own.
    control<QCheckBox>(h, QStringLiteral("CheckSuccessivo"))->setChecked(true);
    press(h, QStringLiteral("Esci"));
    settle();
    ASSERT_EQ(savedLines(h).size(), 21);
    EXPECT_EQ(savedLines(h)[19], "0,0,50");
    EXPECT_EQ(savedLines(h)[20], "-1");
    EXPECT_TRUE(h.window().state().PreparaSuccessivo);
    ASSERT_NE(open(h), nullptr);
    EXPECT_TRUE(control<QCheckBox>(h, QStringLiteral("CheckSuccessivo"))->isChecked());
    control<QCheckBox>(h, QStringLiteral("CheckSuccessivo"))->setChecked(false);
    press(h, QStringLiteral("Esci"));
    settle();
    EXPECT_EQ(savedLines(h).size(), 19);
}

TEST(StageSettings, ChannelsThreeAndFourAreRefusedOnATwoChannelDevice) {
    Harness h(Harness::Sound::Recording);
    TestLibrary::install(h);
    h.start();
    ASSERT_NE(open(h), nullptr);
    choose(h, false, 2, 50);
    press(h, QStringLiteral("Esci"));
    settle();
    ASSERT_EQ(h.prompter.messages.size(), 1);
    EXPECT_EQ(
        h.prompter.messages[0].text,
        QStringLiteral("Il dispositivo audio \"Predefinito\" ha solo due canali: il click del "
                       "conteggio non può andare sui canali 3-4. Il click resta dove era."));
    EXPECT_EQ(h.prompter.messages[0].title, QStringLiteral("Quintora: avviso"));
    EXPECT_EQ(savedLines(h).size(), 19);  // nowhere, as before
    EXPECT_EQ(h.devices.applied.last().channels, 2);

    // A device with four channels takes it, and is opened with four.
    h.devices.channels = 4;
    ASSERT_NE(open(h), nullptr);
    choose(h, false, 2, 50);
    press(h, QStringLiteral("Esci"));
    settle();
    EXPECT_EQ(h.prompter.messages.size(), 1);
    EXPECT_EQ(savedLines(h).value(19), "0,2,50");
    EXPECT_EQ(h.devices.applied.last().channels, 4);
}

TEST(StageSettings, TheStageLineIsReadWhenWholeAndAForeignLineIsLeftAlone) {
    ConfigData d;
    d.cueWithoutStopping = -1;
    d.clickOutput = 2;
    d.clickLevel = 35;
    ConfigReadResult r = ConfigCodec::read(ConfigCodec::write(d));
    EXPECT_TRUE(r.problems.isEmpty());
    EXPECT_EQ(r.data.cueWithoutStopping, -1);
    EXPECT_EQ(r.data.clickOutput, 2);
    EXPECT_EQ(r.data.clickLevel, 35);
    // Values out of their range, or a line some other program wrote, keep the defaults.
    const QByteArray plain = ConfigCodec::write(ConfigData{});
    for (const QByteArray& line : {QByteArray("-1,3,35"), QByteArray("-1,1,101"),
                                   QByteArray("\"something newer\",1,2"), QByteArray("1,1,50")}) {
        r = ConfigCodec::read(plain + line + "\r\n");
        EXPECT_TRUE(r.problems.isEmpty()) << line.constData();
        EXPECT_EQ(r.data.cueWithoutStopping, 0) << line.constData();
        EXPECT_EQ(r.data.clickOutput, 0) << line.constData();
        EXPECT_EQ(r.data.clickLevel, 50) << line.constData();
    }
}
