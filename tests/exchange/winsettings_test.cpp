#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QAction>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>

#include "app/audio.h"
#include "config/configcodec.h"
#include "config/configfile.h"
#include "config/configlocation.h"
#include "exchange/folderquestiondialog.h"
#include "exchange/winsettingsimport.h"
#include "library/songrecord.h"
#include "support/harness.h"

namespace {

// A Quintora.ini as the Windows version writes it: Windows-1252 text, C:\ paths,
// CR LF. Every MP3 slot holds a C:\ path; two slots name one folder in two letter
// cases.
QByteArray windowsIni() {
    ConfigData d;
    d.PathLavoro = "C:\\Quintora\\";
    d.pedalInterval = 35;
    d.Quarti = 8;
    const char* mp3[10] = {"C:\\Quintora\\MP3\\Italiane\\",
                           "C:\\Quintora\\MP3\\Straniere\\",
                           "C:\\QUINTORA\\mp3\\italiane\\",
                           "D:\\Basi\\Città\\",
                           "D:\\Basi\\Rock\\",
                           "D:\\Basi\\Liscio\\",
                           "E:\\Serate\\",
                           "E:\\Serate\\2019\\",
                           "C:\\Quintora\\Vari\\",
                           "F:\\"};
    for (int i = 0; i < 10; ++i) {
        d.CartelleMp3[std::size_t(i)] = mp3[i];
    }
    const QString text = QString::fromUtf8(ConfigCodec::write(d));
    // Line 19 belongs to this program only: the Windows file ends at line 18.
    const QStringList lines = text.split("\r\n").mid(0, 18);
    return (lines.join("\r\n") + "\r\n").toLatin1();
}

// A Windows settings file of 18 lines holding the given folders.
QByteArray iniWith(const QString& work, const QStringList& mp3) {
    ConfigData d;
    d.PathLavoro = work;
    for (int i = 0; i < mp3.size() && i < 10; ++i) {
        d.CartelleMp3[std::size_t(i)] = mp3[i];
    }
    const QStringList lines = QString::fromUtf8(ConfigCodec::write(d)).split("\r\n").mid(0, 18);
    return (lines.join("\r\n") + "\r\n").toLatin1();
}

FolderAnswer chosen(const QString& folder) {
    return {FolderAnswer::Kind::Chosen, folder};
}

const FolderAnswer kSkip{FolderAnswer::Kind::Skipped, {}};
const FolderAnswer kBack{FolderAnswer::Kind::Back, {}};

void makeFolders(const QString& root, const QStringList& relative) {
    for (const QString& r : relative) {
        QDir().mkpath(root + r);
    }
}

}  // namespace

// Each distinct Windows folder is asked once; the proposal follows what was chosen
// (the same sub-folders under a chosen folder, in their letter case on disk, or a
// folder of the same name beside it) and the result holds only Linux folders.
TEST(WinSettings, EveryWindowsFolderBecomesTheChosenLinuxFolder) {
    QTemporaryDir dir;
    const QString root = dir.path() + "/";
    makeFolders(root,
                {"Quintora/mp3/ITALIANE", "Quintora/mp3/Straniere", "basi/città", "basi/Rock"});
    WinSettingsImport import;
    QString error;
    ASSERT_TRUE(import.read(windowsIni(), &error)) << error.toStdString();
    const QStringList folders = import.folders();
    EXPECT_EQ(folders, QStringList({"C:\\Quintora\\", "C:\\Quintora\\MP3\\Italiane\\",
                                    "C:\\Quintora\\MP3\\Straniere\\", "D:\\Basi\\Città\\",
                                    "D:\\Basi\\Rock\\", "D:\\Basi\\Liscio\\", "E:\\Serate\\",
                                    "E:\\Serate\\2019\\", "C:\\Quintora\\Vari\\", "F:\\"}));

    EXPECT_EQ(import.proposal(folders[0], "/home/x"), "/home/x");
    import.choose(folders[0], root + "Quintora");
    EXPECT_EQ(import.proposal(folders[1], "/home/x"), root + "Quintora/mp3/ITALIANE/");
    import.choose(folders[1], root + "Quintora/mp3/ITALIANE/");
    import.choose(folders[2], root + "Quintora/mp3/Straniere");
    // Not under a chosen folder: the last one chosen is proposed.
    EXPECT_EQ(import.proposal(folders[3], "/home/x"), root + "Quintora/mp3/Straniere/");
    import.choose(folders[3], root + "basi/città");
    // Beside the last one chosen, in its letter case on disk.
    EXPECT_EQ(import.proposal(folders[4], "/home/x"), root + "basi/Rock/");
    for (int i = 4; i < folders.size(); ++i) {
        import.choose(folders[i], root + QStringLiteral("altro%1").arg(i));
    }
    ConfigData current;
    current.pedalInterface = "virtual";
    current.bufferFrames = 512;
    current.clockPorts = "Nord Stage 3:Nord Stage 3 MIDI 1";
    current.clockCountIn = -1;
    current.songbooks = "3:/home/me/Libro.pdf";
    current.pageArea = 1;
    const ConfigData d = import.result(current);
    EXPECT_EQ(d.PathLavoro.toText(), root + "Quintora/");
    EXPECT_EQ(d.CartelleMp3[0].toText(), root + "Quintora/mp3/ITALIANE/");
    EXPECT_EQ(d.CartelleMp3[2].toText(), root + "Quintora/mp3/ITALIANE/");
    EXPECT_EQ(d.CartelleMp3[3].toText(), root + "basi/città/");
    EXPECT_EQ(d.CartelleMp3[9].toText(), root + "altro9/");
    EXPECT_EQ(d.pedalInterval.toNumber(), 35);
    EXPECT_EQ(d.Quarti.toNumber(), 8);
    EXPECT_EQ(d.pedalInterface.toText(), "virtual");
    EXPECT_EQ(d.bufferFrames.toNumber(), 512);
    EXPECT_EQ(d.clockPorts.toText(), "Nord Stage 3:Nord Stage 3 MIDI 1");
    EXPECT_EQ(d.clockCountIn.toNumber(), -1);
    EXPECT_EQ(d.songbooks.toText(), "3:/home/me/Libro.pdf");
    EXPECT_EQ(d.pageArea.toNumber(), 1);

    EXPECT_FALSE(import.read(QByteArray("\"2.8\"\r\n\r\n"), &error));
    EXPECT_TRUE(error.contains("cartella di lavoro"));
}

// Through the menu: the settings are saved as the settings dialog saves them and
// take effect at once; a cancel at any folder question leaves everything as it was.
TEST(WinSettings, TheMenuSavesTheSettingsAndACancelChangesNothing) {
    Harness h;
    h.writeStandardConfig();
    h.start();
    h.prompter.clear();
    h.writeFile("win/Quintora.ini", windowsIni());
    const QString ini = h.path("win/Quintora.ini");
    QAction* menu = h.find<QAction>("MenuImportaImpostazioni");
    ASSERT_TRUE(menu);
    EXPECT_EQ(menu->text(), "Importa impostazioni di Windows...");

    const QByteArray before = ConfigFile::read(h.configPath()).bytes;
    h.fileChooser.files.enqueue(ini);
    h.pathChooser.folders.enqueue(h.workDir());
    h.pathChooser.folders.enqueue(QString());  // cancelled at the second folder
    menu->trigger();
    EXPECT_EQ(ConfigFile::read(h.configPath()).bytes, before);
    EXPECT_EQ(h.window().state().CartelleMp3[0].toText(), h.workDir() + "MP3A/");
    ASSERT_EQ(h.prompter.messages.size(), 1);
    EXPECT_TRUE(h.prompter.messages[0].text.startsWith("Importazione annullata"));

    h.prompter.clear();
    h.pathChooser.folderQuestions.clear();
    h.pathChooser.folderProposals.clear();
    h.fileChooser.files.enqueue(ini);
    for (int i = 0; i < 10; ++i) {
        h.pathChooser.folders.enqueue(h.workDir() +
                                      (i == 0 ? QString() : QStringLiteral("M%1").arg(i)));
    }
    menu->trigger();
    // Each question says in the window what it asks; MP3 folders are numbered as the
    // filter buttons number them; the first opens beside the imported file.
    ASSERT_EQ(h.pathChooser.folderQuestions.size(), 10);
    EXPECT_TRUE(
        h.pathChooser.folderQuestions[0].contains("la cartella di lavoro \"C:\\Quintora\\\""));
    EXPECT_TRUE(h.pathChooser.folderQuestions[1].contains(
        "le cartelle MP3 0, 2 \"C:\\Quintora\\MP3\\Italiane\\\""));
    EXPECT_TRUE(
        h.pathChooser.folderQuestions[3].contains("la cartella MP3 3 \"D:\\Basi\\Città\\\""));
    EXPECT_EQ(h.pathChooser.folderProposals[0], h.path("win/"));
    const ConfigReadResult saved = ConfigCodec::read(ConfigFile::read(h.configPath()).bytes);
    EXPECT_EQ(saved.data.PathLavoro.toText(), h.workDir());
    EXPECT_EQ(saved.data.CartelleMp3[0].toText(), h.workDir() + "M1/");
    EXPECT_EQ(saved.data.CartelleMp3[2].toText(), h.workDir() + "M1/");
    EXPECT_EQ(saved.data.CartelleMp3[3].toText(), h.workDir() + "M3/");
    EXPECT_EQ(saved.data.pedalInterval.toNumber(), 35);
    EXPECT_EQ(saved.data.Quarti.toNumber(), 8);
    EXPECT_EQ(h.window().state().Quarti, 8);
    EXPECT_EQ(h.window().state().CartelleMp3[3].toText(), h.workDir() + "M3/");
    EXPECT_EQ(h.find<QAbstractButton>("Filtro(3)")->text().trimmed(), "M3");
    ASSERT_FALSE(h.prompter.messages.isEmpty());
    EXPECT_TRUE(h.prompter.messages.last().text.contains("10 cartelle MP3"))
        << h.prompter.texts().join("\n").toStdString();
    // The settings in force before are kept as a copy.
    EXPECT_EQ(ConfigFile::read(ConfigLocation::backupPath(h.configPath())).bytes, before);
}

// Folders that are no Windows folders (a Unix one, a relative one) are asked like
// the others and never saved as written; a folder can be skipped (its slot stays
// empty), and going back shows the answers already given.
TEST(WinSettings, EveryFolderIsAskedAndCanBeSkippedOrTakenBack) {
    Harness h;
    h.writeStandardConfig();
    h.start();
    h.writeFile("win/Quintora.ini",
                iniWith("/etc/", {"..\\..\\..\\etc\\", "D:\\Basi\\Rock\\", "D:\\Liscio\\"}));
    const QString rock = h.path("rock/");
    QDir().mkpath(rock);
    h.fileChooser.files.enqueue(h.path("win/Quintora.ini"));
    for (const FolderAnswer& a : {chosen(h.workDir()), kSkip, chosen(rock), kBack, kBack, kBack,
                                  chosen(h.workDir()), kSkip, chosen(rock), kSkip}) {
        h.pathChooser.answers.enqueue(a);
    }
    h.find<QAction>("MenuImportaImpostazioni")->trigger();

    const QStringList& asked = h.pathChooser.folderQuestions;
    ASSERT_EQ(asked.size(), 10);
    EXPECT_TRUE(asked[0].contains("la cartella di lavoro \"/etc/\""));
    EXPECT_TRUE(asked[1].contains("la cartella MP3 0 \"..\\..\\..\\etc\\\""));
    // Back at the first question and forward again: each proposes its earlier answer.
    EXPECT_EQ(h.pathChooser.folderProposals[6], h.workDir());
    EXPECT_EQ(h.pathChooser.folderProposals[8], rock);
    const QByteArray saved = ConfigFile::read(h.configPath()).bytes;
    const ConfigReadResult read = ConfigCodec::read(saved);
    EXPECT_EQ(read.data.PathLavoro.toText(), h.workDir());
    EXPECT_EQ(read.data.CartelleMp3[0].toText(), "");
    EXPECT_EQ(read.data.CartelleMp3[1].toText(), rock);
    EXPECT_EQ(read.data.CartelleMp3[2].toText(), "");
    EXPECT_FALSE(saved.contains("etc")) << saved.toStdString();
    EXPECT_EQ(h.window().state().CartelleMp3[0].toText(), "");
}

// Values an older layout does not hold take what a first run gives, not "unset"
// (which would hide every grid column but the titles); values it holds are kept.
TEST(WinSettings, OlderLayoutsTakeTheFirstRunDefaults) {
    const QByteArray common =
        "5000,50,1,4\r\n\"MS Sans Serif\",10,#FALSE#,#FALSE#\r\n40,200,700,500\r\n";
    QByteArray mp3;
    for (int i = 0; i < 10; ++i) {
        mp3 += "\r\n";
    }
    const struct {
        const char* layout;
        QByteArray bytes;
        double pagina, titoli;
    } cases[] = {
        {"2.5",
         "\"2.5\"\r\n\"C:\\Q\\\"\r\n" + common + "12648447,-2147483641,16377542,-2147483641\r\n" +
             mp3,
         -1, 170},
        {"2.7",
         "\"2.7\"\r\n\"C:\\Q\\\"\r\n" + common +
             "12648447,-2147483641,16377542,-2147483641\r\n0,-1,-1,0,0,0\r\n" + mp3 +
             "200,55,41,40,40,100,100\r\n",
         0, 200},
        {"", "\"C:\\Q\\\"\r\n" + common + "12648447,-2147483641\r\n", -1, 170},
    };
    for (const auto& c : cases) {
        WinSettingsImport import;
        QString error;
        ASSERT_TRUE(import.read(c.bytes, &error)) << c.layout << error.toStdString();
        EXPECT_EQ(import.layout(), c.layout);
        const ConfigData d = import.result(ConfigData{});
        const Value flags[] = {d.MostraPagina,  d.MostraCapotasto, d.MostraBPM,   d.MostraLoop,
                               d.MostraGroove1, d.MostraGroove2,   d.MostraAutore};
        const double expected[] = {c.pagina, -1, -1, 0, 0, 0, -1};
        for (int i = 0; i < 7; ++i) {
            EXPECT_FALSE(flags[i].isUnset()) << c.layout << " flag " << i;
            EXPECT_EQ(flags[i].toNumber(), expected[i]) << c.layout << " flag " << i;
        }
        EXPECT_EQ(d.LargTitoli.toNumber(), c.titoli) << c.layout;
        EXPECT_EQ(d.LargAutore.toNumber(), 100) << c.layout;
    }
}

// A Windows Quintora.ini placed where the settings live is recognised at start: the
// import is offered, its folders asked (the first one at home), the file rewritten
// with them and kept as a copy, and the program starts with the library.
TEST(WinSettings, AWindowsFileInPlaceOfTheSettingsIsImportedAtStart) {
    Harness h;
    const QByteArray windows = windowsIni();
    h.writeConfig(windows, false);
    h.writeLibrary({});
    h.pathChooser.answers.enqueue(chosen(h.workDir()));
    for (int i = 0; i < 9; ++i) {
        h.pathChooser.answers.enqueue(kSkip);
    }
    Audio& w = h.start();

    ASSERT_FALSE(h.prompter.messages.isEmpty());
    EXPECT_TRUE(h.prompter.messages[0].text.contains("viene dalla versione per Windows"));
    EXPECT_EQ(h.prompter.messages[0].defaultAnswer, Message::Answer::Yes);
    EXPECT_EQ(h.pathChooser.folderProposals.value(0), QDir::homePath() + QDir::separator());
    EXPECT_EQ(h.branch(), Startup::Branch::Normal);
    EXPECT_TRUE(w.isVisible());
    EXPECT_EQ(w.state().PathLavoro, h.workDir());
    EXPECT_EQ(w.state().Quarti, 8);
    for (const Value& folder : w.state().CartelleMp3) {
        EXPECT_EQ(folder.toText(), "");
    }
    EXPECT_EQ(ConfigFile::read(ConfigLocation::backupPath(h.configPath())).bytes, windows);
    EXPECT_EQ(ConfigCodec::read(ConfigFile::read(h.configPath()).bytes).data.PathLavoro.toText(),
              h.workDir());
}

// The question's window says what it asks, takes only an existing folder, offers
// going back only after the first question, and answers as its buttons say.
TEST(WinSettings, TheQuestionWindowSaysWhatItAsksAndAnswersByItsButtons) {
    QTemporaryDir dir;
    const struct {
        const char* button;
        FolderAnswer::Kind kind;
    } cases[] = {{"OK", FolderAnswer::Kind::Chosen},
                 {"Salta", FolderAnswer::Kind::Skipped},
                 {"Indietro", FolderAnswer::Kind::Back},
                 {"Annulla", FolderAnswer::Kind::Cancelled}};
    for (const auto& c : cases) {
        FolderQuestionDialog d({"Titolo", "Quale cartella?", dir.path() + "/nessuna", true},
                               nullptr);
        EXPECT_EQ(d.findChild<QLabel*>("Domanda")->text(), "Quale cartella?");
        auto* ok = d.findChild<QPushButton*>("OK");
        EXPECT_FALSE(ok->isEnabled());
        d.findChild<QLineEdit*>("Cartella")->setText(dir.path());
        EXPECT_TRUE(ok->isEnabled());
        QTimer::singleShot(0, &d, [&d, &c] { d.findChild<QPushButton*>(c.button)->click(); });
        const FolderAnswer answer = d.ask();
        EXPECT_EQ(answer.kind, c.kind) << c.button;
        EXPECT_EQ(answer.folder, c.kind == FolderAnswer::Kind::Chosen ? dir.path() : QString());
    }
    FolderQuestionDialog first({"Titolo", "Quale cartella?", dir.path(), false}, nullptr);
    EXPECT_FALSE(first.findChild<QPushButton*>("Indietro")->isEnabled());
}
