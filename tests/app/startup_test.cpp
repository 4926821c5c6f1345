#include <gtest/gtest.h>

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QRadioButton>
#include <QTableView>

#include "app/firstwelcome.h"
#include "library/datasource.h"
#include "library/songgrid.h"
#include "library/songrecord.h"
#include "platform/hirestimer.h"
#include "support/harness.h"

namespace {

const QByteArray kSep = QDir::separator() == '/' ? "/" : "\\";

// A "2.8" file whose working folder is the harness's.
QByteArray file28(const Harness& h, const QByteArray& beats = "8") {
    const QByteArray work = h.workDir().toUtf8();
    return "\"2.8\"\n\"" + work + "\"\n4400,60,0," + beats +
           "\n\"DejaVu Sans\",12.5,#TRUE#,#FALSE#\n25,150.5,600,300\n"
           "255,65535,32768,-2147483641\n0,-1,-1,0,-1,0,0\n\"" +
           work + "Rock" + kSep + "\"\n\"\"\n\n\n\"" + kSep +
           "\"\n\n\n\n\n\n200,60,45,40,41,110,111,112\n";
}

QString text(const Harness& h, const char* name) {
    return h.find<QRadioButton>(name)->text();
}

}  // namespace

TEST(Startup, FirstRunShowsItsMessageAndKeepsTheMainWindowHidden) {
    Harness h;
    Audio& w = h.start();
    EXPECT_EQ(h.branch(), Startup::Branch::FirstRun);
    // The message, then the ways in (the settings dialog by default).
    ASSERT_EQ(h.prompter.messages.size(), 2);
    EXPECT_EQ(h.prompter.messages[1].text, FirstWelcome::text());
    const Message& m = h.prompter.messages[0];
    EXPECT_EQ(m.title, "Quintora: Configurazione");
    EXPECT_EQ(m.icon, Message::Icon::Critical);
    EXPECT_EQ(m.text,
              "ATTENZIONE! Questa è la prima volta che viene avviato Quintora.\r\n"
              "E' necessario inserire la path della cartella di lavoro contenente i file "
              "audio, \r\nil file Songs.mdb e la sottocartella MP3. ");
    EXPECT_FALSE(w.isVisible());
    EXPECT_EQ(h.find<QComboBox>("CmbScalette")->count(), 0);
    EXPECT_TRUE(w.controls().Data1->databaseName().isEmpty());
    EXPECT_EQ(h.box.setup(), 0);
    EXPECT_EQ(w.state().Quarti, 4);
    EXPECT_TRUE(w.state().LargTitoli.isUnset());
    EXPECT_TRUE(w.state().MostraPagina.isUnset());
}

TEST(Startup, TaggedFileIsAppliedToTimersGridsFoldersAndState) {
    Harness h;
    h.writeConfig(file28(h));
    h.writeLibrary({});
    Audio& w = h.start();
    const SharedState& st = w.state();
    EXPECT_EQ(h.branch(), Startup::Branch::Normal);
    EXPECT_TRUE(h.prompter.messages.isEmpty()) << h.prompter.texts().join("|").toStdString();
    EXPECT_TRUE(w.isVisible());
    EXPECT_EQ(st.PathLavoro, h.workDir());
    EXPECT_EQ(st.MetroFreq, 4400);
    EXPECT_EQ(st.MetroDurata, 60);
    EXPECT_EQ(st.MetroAudio, 0);
    EXPECT_EQ(st.Quarti, 8);
    EXPECT_EQ(h.find<HiResTimer>("HiResTimer1")->interval(), 25);
    EXPECT_EQ(h.find<HiResTimer>("TmrPrePreload")->interval(), 150.5);
    EXPECT_EQ(h.find<HiResTimer>("TmrPreload")->interval(), 600);
    EXPECT_EQ(h.find<HiResTimer>("TmrIstrs")->interval(), 300);
    auto* grid1 = h.find<QTableView>("DBGrid1");
    auto* grid2 = h.find<QTableView>("DBGrid2");
    for (QTableView* g : {grid1, grid2}) {
        EXPECT_EQ(g->font().family(), "DejaVu Sans");
        EXPECT_EQ(g->font().pointSizeF(), 12.5);
        EXPECT_TRUE(g->font().bold());
        EXPECT_FALSE(g->font().italic());
    }
    EXPECT_EQ(w.gridBackColor(1), 255);
    EXPECT_EQ(w.gridForeColor(1), 65535);
    EXPECT_EQ(w.gridBackColor(2), 32768);
    EXPECT_EQ(w.gridForeColor(2), -2147483641);
    EXPECT_EQ(w.controls().DBGrid1->backColor(), QColor(255, 0, 0));
    EXPECT_EQ(w.controls().DBGrid2->foreColor(), w.palette().color(QPalette::WindowText));
    EXPECT_EQ(st.MostraPagina, 0);
    EXPECT_EQ(st.MostraCapotasto, -1);
    EXPECT_EQ(st.MostraGroove1, -1);
    EXPECT_EQ(st.MostraAutore, 0);
    EXPECT_FALSE(st.MostraAutore.isUnset());
    // Folder slots: named, cleared ("" ), never set (empty line) and the root folder.
    EXPECT_EQ(text(h, "Filtro(0)"), "Rock");
    EXPECT_EQ(st.CartelleMp3[1], QString());
    EXPECT_FALSE(st.CartelleMp3[1].isUnset());
    EXPECT_TRUE(st.CartelleMp3[2].isUnset());
    EXPECT_EQ(text(h, "Filtro(1)"), "");
    EXPECT_EQ(text(h, "Filtro(4)"), QString(QDir::separator()));
    EXPECT_EQ(w.controls().Data1->databaseName(), h.workDir() + "songs.mdb");
    EXPECT_EQ(w.controls().Data2->databaseName(), h.workDir() + "songs.mdb");
    EXPECT_EQ(h.volume.level(), 65535);
    EXPECT_EQ(h.player().volume(), -100);
    EXPECT_EQ(st.LargTitoli, 200);
    EXPECT_EQ(st.LargAutore, 112);
}

TEST(Startup, OlderTaggedLayoutsLeaveWhatTheyDoNotHold) {
    Harness h27;
    const QByteArray work = h27.workDir().toUtf8();
    h27.writeConfig("\"2.7\"\n\"" + work +
                    "\"\n5000,50,1,-1\n\"MS Sans Serif\",10,#FALSE#,#FALSE#\n40,200,700,500\n"
                    "12648447,-2147483641,16377542,-2147483641\n-1,0,-1,0,0,0\n\n\n\n\n\n\n\n\n\n\n"
                    "180,55,41,40,40,100,100\n");
    h27.writeLibrary({});
    const SharedState& st = h27.start().state();
    EXPECT_TRUE(h27.prompter.messages.isEmpty()) << h27.prompter.texts().join("|").toStdString();
    EXPECT_EQ(st.Quarti, -1);
    EXPECT_EQ(st.MostraPagina, -1);
    EXPECT_EQ(st.MostraCapotasto, 0);
    EXPECT_TRUE(st.MostraAutore.isUnset());
    EXPECT_EQ(st.LargTitoli, 180);
    EXPECT_EQ(st.LargAutore, 100);

    Harness h25;
    h25.writeConfig("\"2.5\"\n\"" + h25.workDir().toUtf8() +
                    "\"\n5000,50,1,4\n\"MS Sans Serif\",10,#FALSE#,#FALSE#\n40,200,700,500\n"
                    "12648447,-2147483641,16377542,-2147483641\n\"" +
                    h25.workDir().toUtf8() + "Pop" + kSep + "\"\n\n\n\n\n\n\n\n\n\n");
    h25.writeLibrary({});
    const SharedState& s25 = h25.start().state();
    EXPECT_TRUE(h25.prompter.messages.isEmpty()) << h25.prompter.texts().join("|").toStdString();
    for (const Value* flag :
         {&s25.MostraPagina, &s25.MostraCapotasto, &s25.MostraBPM, &s25.MostraLoop,
          &s25.MostraGroove1, &s25.MostraGroove2, &s25.MostraAutore}) {
        EXPECT_TRUE(flag->isUnset());
    }
    EXPECT_EQ(s25.LargTitoli, 170);
    EXPECT_EQ(s25.LargCapotasto, 41);
    EXPECT_EQ(s25.LargAutore, 100);
    EXPECT_EQ(text(h25, "Filtro(0)"), "Pop");
}

TEST(Startup, UntaggedFileIsUpgradedWithBothBackupsAndItsMessage) {
    Harness h;
    const QByteArray old = "\"" + h.workDir().toUtf8() +
                           "\"\n5000,50,1,8\n\"Arial\",14,#TRUE#,#TRUE#\n30,100,650,450\n"
                           "8421504,0\n";
    h.writeConfig(old);
    h.writeFile("work/Songs.mdb", "the library");
    h.writeFile("config/Quintora.old", "an older backup");
    Audio& w = h.start();
    const SharedState& st = w.state();
    EXPECT_EQ(h.branch(), Startup::Branch::Upgraded);
    ASSERT_GE(h.prompter.messages.size(), 1);
    EXPECT_EQ(h.prompter.messages[0].title, "Quintora: Configurazione");
    EXPECT_EQ(h.prompter.messages[0].icon, Message::Icon::Critical);
    EXPECT_EQ(h.prompter.messages[0].text,
              "ATTENZIONE! Il file di configurazione verrà aggiornato alla versione 2.5. \r\n"
              "Le precedenti versioni non saranno in grado di funzionare. \r\n"
              "Il vecchio file di configurazione verrà comunque salvato come Quintora.old ");
    QFile backup(h.path("config/Quintora.old"));
    ASSERT_TRUE(backup.open(QIODevice::ReadOnly));
    EXPECT_EQ(backup.readAll(), QByteArray(old).replace("\n", "\r\n"));
    QFile dbBackup(h.path("work/Songs.old"));
    ASSERT_TRUE(dbBackup.open(QIODevice::ReadOnly));
    EXPECT_EQ(dbBackup.readAll(), "the library");
    EXPECT_TRUE(w.isVisible());
    EXPECT_EQ(st.PathLavoro, h.workDir());
    // The defaults of the settings dialog replace the beats and the grid font at once.
    EXPECT_EQ(st.Quarti, 4);
    EXPECT_EQ(w.controls().DBGrid1->font().pointSize(), 10);
    EXPECT_FALSE(w.controls().DBGrid1->font().bold());
    EXPECT_EQ(h.find<HiResTimer>("TmrIstrs")->interval(), 450);
    EXPECT_EQ(w.gridBackColor(1), 8421504);
    EXPECT_EQ(w.gridForeColor(1), 0);
    EXPECT_EQ(w.gridBackColor(2), 16377542);
    EXPECT_TRUE(st.MostraPagina.isUnset());
    EXPECT_TRUE(st.LargTitoli.isUnset());
    for (const Value& folder : st.CartelleMp3) {
        EXPECT_FALSE(folder.isUnset());
        EXPECT_EQ(folder, QString());
    }
}

TEST(Startup, DamagedFileKeepsDefaultsAndSaysSoOnce) {
    Harness h;
    h.writeConfig("\"2.8\"\n\"" + h.workDir().toUtf8() + "\"\n5000,fifty,1,6\n");
    h.writeLibrary({});
    Audio& w = h.start();
    EXPECT_EQ(h.branch(), Startup::Branch::Normal);
    ASSERT_EQ(h.prompter.messages.size(), 1);
    EXPECT_EQ(h.prompter.messages[0].title, "Quintora: Configurazione");
    EXPECT_TRUE(h.prompter.messages[0].text.contains(h.configPath()));
    EXPECT_EQ(w.state().MetroDurata, 50);
    EXPECT_EQ(w.state().Quarti, 6);
    EXPECT_EQ(h.find<HiResTimer>("HiResTimer1")->interval(), 40);
    EXPECT_EQ(w.state().LargTitoli, 170);
    EXPECT_TRUE(w.isVisible());
}

TEST(Startup, AFolderWhereTheFileShouldBeLeavesTheSettingsToTheUser) {
    Harness h;
    QDir().mkpath(h.configPath());  // a folder where the file should be
    Audio& w = h.start();
    // A folder is not a file: its settings are the defaults, which hold no working
    // folder, so the settings dialog takes over.
    EXPECT_EQ(h.branch(), Startup::Branch::FirstRun);
    EXPECT_FALSE(w.isVisible());
}

TEST(Startup, AMissingLibraryIsReportedAndTheListStaysEmpty) {
    Harness h;
    h.writeConfig(file28(h));
    Audio& w = h.start();
    ASSERT_EQ(h.prompter.messages.size(), 1);
    EXPECT_EQ(h.prompter.messages[0].icon, Message::Icon::Critical);
    EXPECT_TRUE(h.prompter.messages[0].text.contains(h.workDir()))
        << h.prompter.messages[0].text.toStdString();
    EXPECT_TRUE(w.isVisible());
    EXPECT_EQ(w.controls().Numsongs->text(), "Songs: 0");
    EXPECT_EQ(h.find<QComboBox>("CmbScalette")->count(), 7);
}
