#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QAction>
#include <QDir>

#include "app/audio.h"
#include "app/configcodec.h"
#include "app/configfile.h"
#include "exchange/winsettingsimport.h"
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
    const QStringList folders = import.windowsFolders();
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
    h.pathChooser.folderTitles.clear();
    h.fileChooser.files.enqueue(ini);
    for (int i = 0; i < 10; ++i) {
        h.pathChooser.folders.enqueue(h.workDir() +
                                      (i == 0 ? QString() : QStringLiteral("M%1").arg(i)));
    }
    menu->trigger();
    EXPECT_EQ(h.pathChooser.folderTitles.size(), 10);
    EXPECT_EQ(h.pathChooser.folderTitles[0],
              "Cartella per la cartella di lavoro \"C:\\Quintora\\\"");
    EXPECT_EQ(h.pathChooser.folderTitles[3],
              "Cartella per la cartella MP3 4 \"D:\\Basi\\Città\\\"");
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
}
