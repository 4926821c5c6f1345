#include <gtest/gtest.h>

#include <QAction>
#include <QDir>
#include <QPushButton>

#include "app/audio.h"
#include "exchange/accessfiles.h"
#include "library/datasource.h"
#include "library/verifiche.h"
#include "support/harness.h"
#include "support/plainsqlite.h"
#include "verifiche/wavbytes.h"

// A performer moving in from the Windows version: the old folder copied as it was
// (an Access Songs.mdb, grooves in their sub-folders, an MP3 folder) and the old
// Quintora.ini. After the two imports the lists hold the same songs and running
// orders, and the library check finds every groove and MP3.
TEST(MovingIn, TheWindowsFolderAndSettingsBecomeAWorkingLibrary) {
    Harness h;
    const QString old = h.path("Quintora") + "/";
    QJsonArray rows{
        QJsonObject{{"Titoli", "Perché no"},
                    {"Loop", true},
                    {"BPM", 96},
                    {"Groove1", "ROK001.wav"},
                    {"Groove2", "ROK001B.wav"},
                    {"Sca1", 2}},
        QJsonObject{{"Titoli", "Città vuota"},
                    {"Loop", false},
                    {"BPM", 110},
                    {"Groove1", "citta.mp3"},
                    {"Sca1", 1},
                    {"Sca2", 1}},
        QJsonObject{{"Titoli", "Funky"}, {"Loop", true}, {"BPM", 104}, {"Groove1", "FNK002.wav"}},
    };
    ASSERT_TRUE(AccessFiles::write(
        old + "Songs.mdb", {AccessFiles::table("ListaTitoli", AccessFiles::songColumns(), rows)}));
    for (const char* groove : {"ROK/ROK001.wav", "ROK/ROK001B.wav", "FNK/FNK002.wav"}) {
        h.writeFile(QStringLiteral("Quintora/") + groove, wavBytes({}));
    }
    h.writeFile("Quintora/MP3/citta.mp3", QByteArray(1024, '\x55'));
    QByteArray ini =
        "\"2.8\"\r\n\"C:\\Quintora\\\"\r\n5000,50,1,4\r\n\"MS Sans Serif\",10,#FALSE#,#FALSE#\r\n"
        "40,200,700,500\r\n12648447,-2147483641,16377542,-2147483641\r\n-1,-1,-1,0,0,0,-1\r\n"
        "\"C:\\Quintora\\MP3\\\"\r\n";
    for (int i = 1; i < 10; ++i) {
        ini += "\"\"\r\n";
    }
    ini += "170,55,41,40,40,100,100,100\r\n";
    h.writeFile("Quintora/Quintora.ini", ini);

    // A first run: the settings come from the Windows file, through the menu.
    h.writeStandardConfig();
    h.start();
    h.prompter.clear();
    h.fileChooser.files.enqueue(old + "Quintora.ini");
    h.pathChooser.folders.enqueue(old);
    h.pathChooser.folders.enqueue(old + "MP3");
    h.prompter.answers.enqueue(Message::Answer::Yes);  // the working folder's Access library
    h.find<QAction>("MenuImportaImpostazioni")->trigger();
    // The second question proposed the MP3 folder inside the folder just chosen.
    EXPECT_EQ(h.pathChooser.folderProposals.value(1), old + "MP3/");
    EXPECT_EQ(h.window().state().PathLavoro, old);
    EXPECT_TRUE(QFileInfo::exists(old + "Songs-access.mdb"));

    DataSource* data1 = h.find<DataSource>("Data1");
    EXPECT_EQ(data1->rowCount(), 3);
    EXPECT_EQ(PlainSqlite(old + "Songs.mdb")
                  .value("SELECT group_concat(Titoli, '|') FROM (SELECT Titoli FROM Scaletta1)"),
              "Città vuota|Perché no");

    h.find<QPushButton>("Utility")->click();
    Verifiche* check = h.find<Verifiche>("Verifiche");
    ASSERT_TRUE(check);
    check->findChild<QPushButton*>("Inizia")->click();
    const QStringList lines = check->log().split("\r\n", Qt::SkipEmptyParts);
    EXPECT_EQ(lines, QStringList({"*** Inizio procedura di verifiche. ***",
                                  "*** Fine procedura di verifiche. ***"}))
        << check->log().toStdString();
}
