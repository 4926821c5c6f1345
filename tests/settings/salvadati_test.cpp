#include <QCheckBox>
#include <QComboBox>

#include "library/datasource.h"
#include "library/songgrid.h"
#include "platform/hirestimer.h"
#include "settingstest.h"

using namespace settingstest;

TEST(Salvadati, FirstRunSavesTheDefaultsWithUnsetWidthsAndSlotsAsEmptyFields) {
    Harness h;
    makeLibrary(h);
    Audio& w = h.start();
    ASSERT_EQ(h.branch(), Startup::Branch::FirstRun);
    Impspath* d = dialog(h);
    ASSERT_NE(d, nullptr);
    EXPECT_TRUE(d->isVisible());
    EXPECT_EQ(d->windowTitle(), "Configurazione Quintora");
    EXPECT_EQ(control<QComboBox>(h, "Quarti")->currentText(), " 4 ");

    chooseFolder(h, "Wave", h.workDir());
    EXPECT_EQ(w.state().PathLavoro, h.workDir());
    h.prompter.clear();
    press(h, "Esci");
    settle();

    EXPECT_TRUE(h.prompter.messages.isEmpty());
    EXPECT_EQ(dialog(h), nullptr);
    EXPECT_TRUE(w.isVisible());
    EXPECT_EQ(w.controls().Data1->databaseName(), h.workDir() + "songs.mdb");
    EXPECT_EQ(h.find<QComboBox>("CmbScalette")->count(), 7);
    EXPECT_EQ(h.volume.level(), 65535);
    const QList<QByteArray> lines = savedLines(h);
    ASSERT_EQ(lines.size(), 19);
    EXPECT_EQ(lines[0], "\"2.8\"");
    EXPECT_EQ(lines[1], "\"" + h.workDir().toUtf8() + "\"");
    EXPECT_EQ(lines[2], "5000,50,1,4");
    EXPECT_EQ(lines[3], "\"MS Sans Serif\",10,#FALSE#,#FALSE#");
    EXPECT_EQ(lines[4], "40,200,700,500");
    EXPECT_EQ(lines[5], "12648447,-2147483641,16377542,-2147483641");
    EXPECT_EQ(lines[6], "-1,-1,-1,0,0,0,-1");
    for (int slot = 0; slot < 10; ++slot) {
        EXPECT_EQ(lines[7 + slot], "") << slot;
    }
    EXPECT_EQ(lines[17], ",,,,,,,");
    EXPECT_EQ(lines[18], "\"\",256,\"/dev/parport0\"");
}

TEST(Salvadati, FissoIsStoredAtOnceAndSavedAsMinusOne) {
    Harness h;
    makeLibrary(h);
    h.writeConfig(file28(h));
    Audio& w = h.start();
    open(h);
    QComboBox* quarti = control<QComboBox>(h, "Quarti");
    EXPECT_EQ(quarti->currentText(), " 8 ");
    for (int i = 0; i < 3; ++i) {
        keyClick(quarti, Qt::Key_Up);
    }
    EXPECT_EQ(w.state().Quarti, -1);
    press(h, "Esci");
    settle();
    EXPECT_EQ(savedLines(h).value(2), "4400,60,0,-1");

    open(h);
    EXPECT_EQ(control<QComboBox>(h, "Quarti")->currentText(), " Fisso ");
}

TEST(Salvadati, BeatsOutsideTheListLeaveNoEntryChosenAndKeepTheirValue) {
    Harness h;
    makeLibrary(h);
    h.writeConfig(file28(h, "5"));
    Audio& w = h.start();
    open(h);
    EXPECT_EQ(control<QComboBox>(h, "Quarti")->currentIndex(), -1);
    press(h, "Esci");
    EXPECT_EQ(w.state().Quarti, 5);
    EXPECT_EQ(savedLines(h).value(2), "4400,60,0,5");
}

TEST(Salvadati, FractionalIntervalsApplyAsTypedAndShowRoundedHalfToEven) {
    Harness h;
    makeLibrary(h);
    h.writeConfig(file28(h));
    Audio& w = h.start();
    open(h);
    // Loaded from the running timers: 150.5 shows as 150.
    EXPECT_EQ(control<QLineEdit>(h, "TextMute")->text(), "150");
    setText(h, "TextPed", "40.5");
    setText(h, "TextMute", "41.5");
    setText(h, "TextBuffer", "1 000");
    setText(h, "TextIstrs", "abc");
    press(h, "Applica");
    EXPECT_EQ(w.controls().HiResTimer1->interval(), 40.5);
    EXPECT_EQ(w.controls().TmrPrePreload->interval(), 41.5);
    EXPECT_EQ(w.controls().TmrPreload->interval(), 1000);
    EXPECT_EQ(w.controls().TmrIstrs->interval(), 0);
    press(h, "Esci");
    settle();
    EXPECT_EQ(savedLines(h).value(4), "40.5,41.5,1000,0");

    open(h);
    EXPECT_EQ(control<QLineEdit>(h, "TextPed")->text(), "40");
    EXPECT_EQ(control<QLineEdit>(h, "TextMute")->text(), "42");
}

TEST(Salvadati, AFile27GainsTheAutoreFlagAndWidthWhenSaved) {
    Harness h;
    makeLibrary(h);
    const QByteArray work = h.workDir().toUtf8();
    h.writeConfig("\"2.7\"\n\"" + work +
                  "\"\n5000,50,1,8\n\"MS Sans Serif\",8.25,#FALSE#,#TRUE#\n"
                  "40,200,700,500\n12648447,-2147483641,16377542,-2147483641\n-1,0,-1,0,0,-1\n"
                  "\n\n\n\n\n\n\n\n\n\n180,56,42,41,39,101,102\n");
    h.start();
    open(h);
    EXPECT_FALSE(control<QCheckBox>(h, "Aut")->isChecked());
    press(h, "Esci");
    const QList<QByteArray> lines = savedLines(h);
    ASSERT_EQ(lines.size(), 19);
    EXPECT_EQ(lines[0], "\"2.8\"");
    EXPECT_EQ(lines[3], "\"MS Sans Serif\",8.25,#FALSE#,#TRUE#");
    EXPECT_EQ(lines[6], "-1,0,-1,0,0,-1,0");
    EXPECT_EQ(lines[17], "180,56,42,41,39,101,102,100");
}

TEST(Salvadati, DefaultThenCloseSavesEveryDefaultButFoldersAndWidths) {
    Harness h;
    makeLibrary(h);
    h.writeConfig(file28(h));
    Audio& w = h.start();
    open(h);
    press(h, "ComDefault");
    // The beats and the font take effect at once; the rest waits for the save.
    EXPECT_EQ(w.state().Quarti, 4);
    EXPECT_EQ(w.controls().DBGrid1->font().family(), "MS Sans Serif");
    EXPECT_EQ(w.controls().DBGrid2->font().pointSizeF(), 10);
    EXPECT_EQ(w.controls().HiResTimer1->interval(), 25);
    EXPECT_EQ(w.gridBackColor(1), 255);
    press(h, "Esci");
    EXPECT_EQ(w.controls().HiResTimer1->interval(), 40);
    EXPECT_EQ(w.gridBackColor(1), 12648447);
    EXPECT_EQ(w.state().MostraAutore, -1);
    const QList<QByteArray> lines = savedLines(h);
    ASSERT_EQ(lines.size(), 19);
    EXPECT_EQ(lines[2], "5000,50,1,4");
    EXPECT_EQ(lines[3], "\"MS Sans Serif\",10,#FALSE#,#FALSE#");
    EXPECT_EQ(lines[4], "40,200,700,500");
    EXPECT_EQ(lines[5], "12648447,-2147483641,16377542,-2147483641");
    EXPECT_EQ(lines[6], "-1,-1,-1,0,0,0,-1");
    EXPECT_EQ(lines[7], "\"" + h.workDir().toUtf8() + "Rock" + kSep + "\"");
    EXPECT_EQ(lines[8], "\"\"");
    EXPECT_EQ(lines[9], "");
    EXPECT_EQ(lines[17], "200,60,45,40,41,110,111,112");
}

TEST(Salvadati, ApplyLeavesColumnsAndFileAloneUntilTheSave) {
    Harness h;
    makeLibrary(h);
    h.writeConfig(file28(h));
    Audio& w = h.start();
    open(h);
    control<QCheckBox>(h, "Lop")->setChecked(true);
    setText(h, "TextFreq", "440x");
    press(h, "Applica");
    EXPECT_EQ(w.state().MostraLoop, 0);
    EXPECT_EQ(w.state().MetroFreq, QStringLiteral("440x"));
    press(h, "Esci");
    EXPECT_EQ(w.state().MostraLoop, -1);
    EXPECT_EQ(w.state().MetroFreq, 440);
    EXPECT_EQ(savedLines(h).value(2), "440,60,0,8");
}

TEST(Salvadati, AnUnwritableSettingStaysInForceAndTheOldFileStaysWhole) {
    Harness h;
    makeLibrary(h);
    h.writeConfig(file28(h));
    QFile before(h.configPath());
    ASSERT_TRUE(before.open(QIODevice::ReadOnly));
    const QByteArray old = before.readAll();
    before.close();
    // A folder whose name holds a double quote: the file has no way to store it.
    const QString odd = h.workDir() + "Live \"99\"";
    ASSERT_TRUE(QDir().mkpath(odd));
    Audio& w = h.start();
    open(h);
    chooseFolder(h, "Mp3(4)", odd);
    setText(h, "TextPed", "30");
    h.prompter.clear();
    press(h, "Esci");
    settle();

    ASSERT_EQ(h.prompter.messages.size(), 1);
    EXPECT_EQ(h.prompter.messages[0].icon, Message::Icon::Critical);
    EXPECT_TRUE(h.prompter.messages[0].text.startsWith("Impossibile salvare il file"));
    EXPECT_TRUE(h.prompter.messages[0].text.contains("restano in vigore"));
    QFile after(h.configPath());
    ASSERT_TRUE(after.open(QIODevice::ReadOnly));
    EXPECT_EQ(after.readAll(), old);
    EXPECT_EQ(w.controls().HiResTimer1->interval(), 30);
    EXPECT_EQ(w.state().CartelleMp3[4], odd + QDir::separator());
    EXPECT_EQ(dialog(h), nullptr);
}

TEST(Salvadati, AnUpgradeFillsTheHiddenDialogWithTheDefaultsThatTheSaveWrites) {
    Harness h;
    makeLibrary(h);
    h.writeConfig("\"" + h.workDir().toUtf8() +
                  "\"\n3000,40,0,8\n\"Arial\",14,#TRUE#,#TRUE#\n30,100,650,450\n8421504,0\n");
    Audio& w = h.start();
    ASSERT_EQ(h.branch(), Startup::Branch::Upgraded);
    // The beats and the font of the defaults are in force at once, the rest waits.
    EXPECT_EQ(w.state().Quarti, 4);
    EXPECT_EQ(w.controls().DBGrid1->font().family(), "MS Sans Serif");
    EXPECT_EQ(w.controls().HiResTimer1->interval(), 30);
    Impspath* d = dialog(h);
    ASSERT_NE(d, nullptr);
    EXPECT_FALSE(d->isVisible());

    EXPECT_EQ(open(h), d);
    EXPECT_TRUE(d->isVisible());
    EXPECT_EQ(control<QLineEdit>(h, "TextPed")->text(), "40");
    EXPECT_EQ(control<QLineEdit>(h, "TextFreq")->text(), "5000");
    EXPECT_TRUE(control<QCheckBox>(h, "Aut")->isChecked());
    press(h, "Esci");
    const QList<QByteArray> lines = savedLines(h);
    ASSERT_EQ(lines.size(), 19);
    EXPECT_EQ(lines[2], "5000,50,1,4");
    EXPECT_EQ(lines[4], "40,200,700,500");
    EXPECT_EQ(lines[5], "12648447,-2147483641,16377542,-2147483641");
    EXPECT_EQ(lines[6], "-1,-1,-1,0,0,0,-1");
    for (int slot = 0; slot < 10; ++slot) {
        EXPECT_EQ(lines[7 + slot], "\"\"") << slot;
    }
    EXPECT_EQ(lines[17], ",,,,,,,");
    EXPECT_EQ(w.controls().HiResTimer1->interval(), 40);
}
