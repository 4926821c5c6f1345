// The first start: the ways in offered after the first-run message, and a working
// folder without a library, which is offered one at once.
#include <QAction>
#include <QFileInfo>

#include "app/closingcheck.h"
#include "app/firstwelcome.h"
#include "app/folderframe.h"
#include "config/configcodec.h"
#include "config/configfile.h"
#include "settings/folderbrowser.h"
#include "settingstest.h"

using namespace settingstest;

// An empty library or one filled from a CSV file: a folder is chosen, the library
// made there, the settings saved with the first run's defaults and the main window
// shown, with no warning; the CSV way then asks for the file. The Windows way asks
// for the Windows settings file; giving it up leads to the settings dialog.
TEST(FirstStart, EveryWayInEndsInTheMainWindowOrTheSettings) {
    const struct {
        FirstWelcome::Choice choice;
        bool in;
        QString fileAsked;
    } cases[] = {{FirstWelcome::EmptyLibrary, true, {}},
                 {FirstWelcome::FromCsv, true, "Importa CSV"},
                 {FirstWelcome::FromWindows, false, "Importa impostazioni di Windows"},
                 {FirstWelcome::Settings, false, {}}};
    for (const auto& c : cases) {
        Harness h;
        const QString folder = h.path("Nuova/");
        QDir().mkpath(folder);
        h.prompter.choices.enqueue(c.choice);
        h.pathChooser.folders.enqueue(folder);
        Audio& w = h.start();

        ASSERT_EQ(h.prompter.choiceLists.size(), 1) << c.choice;
        EXPECT_EQ(h.prompter.choiceLists[0], FirstWelcome::choices());
        EXPECT_TRUE(h.prompter.texts().join("").contains("Da Windows"));
        EXPECT_EQ(w.isVisible(), c.in) << c.choice;
        EXPECT_EQ(dialog(h) != nullptr && dialog(h)->isVisible(), !c.in) << c.choice;
        EXPECT_EQ(h.fileChooser.fileTitles.value(0), c.fileAsked) << c.choice;
        if (c.in) {
            EXPECT_EQ(h.prompter.messages.size(), 2) << h.prompter.texts().join("\n").toStdString();
            EXPECT_TRUE(QFileInfo(folder + "Songs.mdb").isFile());
            const ConfigData saved = ConfigCodec::read(ConfigFile::read(h.configPath()).bytes).data;
            EXPECT_EQ(saved.PathLavoro.toText(), folder);
            EXPECT_EQ(saved.MostraPagina.toNumber(), -1);
            EXPECT_EQ(saved.MostraAutore.toNumber(), -1);
        }
    }
}

// Choosing a working folder without a library offers one there at once (Yes by
// default): the dialog then closes without a warning. On No the warnings follow.
// With no working folder yet, browsing starts at home, and a new folder can be made.
TEST(FirstStart, AnEmptyWorkingFolderIsOfferedALibraryAtOnce) {
    Harness h;
    h.start();
    ASSERT_NE(dialog(h), nullptr);
    click(h, "Wave");
    EXPECT_EQ(control<QLineEdit>(h, "Dir1Path")->text(),
              QDir::toNativeSeparators(QDir::homePath()) + QDir::separator());
    browseTo(h, h.path(""));
    press(h, "NuovaCartella");
    control<QLineEdit>(h, "Dir1Path")->setText(h.path("Brani"));
    keyClick(control<QLineEdit>(h, "Dir1Path"), Qt::Key_Return);
    EXPECT_EQ(control<QLineEdit>(h, "Dir1Path")->text(), h.path("Brani/"));
    h.prompter.clear();
    press(h, "Conferma");

    ASSERT_EQ(h.prompter.messages.size(), 1) << h.prompter.texts().join("\n").toStdString();
    EXPECT_EQ(h.prompter.messages[0].text, ClosingCheck::createLibraryText(h.path("Brani/")));
    EXPECT_EQ(h.prompter.messages[0].defaultAnswer, Message::Answer::Yes);
    EXPECT_TRUE(QFileInfo(h.path("Brani/Songs.mdb")).isFile());
    press(h, "Esci");
    settle();
    EXPECT_EQ(h.prompter.messages.size(), 1);
    EXPECT_TRUE(h.window().isVisible());
}
