#include <QComboBox>
#include <QListWidget>
#include <QRadioButton>

#include "settings/folderbrowser.h"
#include "settingstest.h"

using namespace settingstest;

namespace {

bool bold(Harness& h, const QString& label) {
    return control<ClickableLabel>(h, label)->font().bold();
}

bool enabled(Harness& h, const QString& button) {
    return control<QPushButton>(h, button)->isEnabled();
}

bool browsing(Harness& h) {
    Impspath* d = dialog(h);
    return control<QWidget>(h, "Drive1")->isVisibleTo(d) &&
           control<QWidget>(h, "Dir1")->isVisibleTo(d);
}

QString openFolder(Harness& h) {
    return control<QLineEdit>(h, "Dir1Path")->text();
}

QString filterCaption(Harness& h, int slot) {
    return h.find<QRadioButton>(QStringLiteral("Filtro(%1)").arg(slot))->text();
}

}  // namespace

TEST(FolderFrame, LabelsShowTheFoldersAndNoChoiceIsOpenAtLoad) {
    Harness h;
    makeLibrary(h);
    h.writeConfig(file28(h));
    h.start();
    open(h);
    EXPECT_EQ(control<ClickableLabel>(h, "Wave")->text(), "Wave-Mdb: " + h.workDir());
    EXPECT_EQ(control<ClickableLabel>(h, "Mp3(0)")->text(),
              "MP3 (0): " + h.workDir() + "Rock" + QDir::separator());
    EXPECT_EQ(control<ClickableLabel>(h, "Mp3(1)")->text(), "MP3 (1): ");
    EXPECT_EQ(control<ClickableLabel>(h, "Mp3(9)")->text(), "MP3 (9): ");
    EXPECT_FALSE(browsing(h));
    EXPECT_FALSE(enabled(h, "Conferma"));
    EXPECT_FALSE(enabled(h, "Vuoto"));
    EXPECT_FALSE(bold(h, "Wave"));
}

TEST(FolderFrame, OnlyTheLabelBeingChosenIsBoldAndTheButtonsFollowTheTarget) {
    Harness h;
    makeLibrary(h);
    h.writeConfig(file28(h));
    h.start();
    open(h);

    click(h, "Wave");
    EXPECT_TRUE(browsing(h));
    EXPECT_TRUE(bold(h, "Wave"));
    EXPECT_TRUE(enabled(h, "Conferma"));
    EXPECT_FALSE(enabled(h, "Vuoto"));
    EXPECT_EQ(openFolder(h), h.workDir());

    click(h, "Mp3(3)");
    EXPECT_FALSE(bold(h, "Wave"));
    EXPECT_TRUE(bold(h, "Mp3(3)"));
    EXPECT_TRUE(enabled(h, "Vuoto"));

    // Back to the working folder: the slot gives up its mark too.
    click(h, "Wave");
    EXPECT_FALSE(bold(h, "Mp3(3)"));
    EXPECT_TRUE(bold(h, "Wave"));
    EXPECT_FALSE(enabled(h, "Vuoto"));

    press(h, "Conferma");
    EXPECT_FALSE(browsing(h));
    EXPECT_FALSE(bold(h, "Wave"));
    EXPECT_FALSE(enabled(h, "Conferma"));
    EXPECT_FALSE(enabled(h, "Vuoto"));
}

TEST(FolderFrame, ConfirmingASlotStoresTheFolderAndNamesItsFilterButton) {
    Harness h;
    makeLibrary(h);
    h.writeConfig(file28(h));
    Audio& w = h.start();
    open(h);
    const QString pop = h.workDir() + "Pop";
    ASSERT_TRUE(QDir().mkpath(pop));
    ASSERT_TRUE(QDir().mkpath(pop + "/Italiano"));

    click(h, "Mp3(2)");
    browseTo(h, h.workDir());
    // Into Pop, then its first folder, then back up with "..".
    QListWidget* dir = control<QListWidget>(h, "Dir1");
    const auto items = dir->findItems("Pop", Qt::MatchExactly);
    ASSERT_EQ(items.size(), 1);
    dir->setCurrentItem(items[0]);
    keyClick(dir, Qt::Key_Return);
    EXPECT_EQ(openFolder(h), pop + QDir::separator());
    ASSERT_EQ(dir->item(0)->text(), "..");
    dir->setCurrentRow(1);
    keyClick(dir, Qt::Key_Return);
    EXPECT_EQ(openFolder(h), pop + QDir::separator() + "Italiano" + QDir::separator());
    dir->setCurrentRow(0);
    keyClick(dir, Qt::Key_Return);
    EXPECT_EQ(openFolder(h), pop + QDir::separator());

    press(h, "Conferma");
    EXPECT_EQ(w.state().CartelleMp3[2], pop + QDir::separator());
    EXPECT_EQ(control<ClickableLabel>(h, "Mp3(2)")->text(), "MP3 (2): " + pop + QDir::separator());
    EXPECT_EQ(filterCaption(h, 2), "Pop");

    // The same folder again, without browsing: the same full path.
    click(h, "Mp3(2)");
    press(h, "Conferma");
    EXPECT_EQ(w.state().CartelleMp3[2], pop + QDir::separator());
}

TEST(FolderFrame, TheRootFolderGivesItsOwnNameAsCaption) {
    Harness h;
    makeLibrary(h);
    h.writeConfig(file28(h));
    Audio& w = h.start();
    open(h);
    // A slot never set starts at the root folder.
    click(h, "Mp3(5)");
    EXPECT_EQ(openFolder(h), FolderBrowser::rootFolder());
    press(h, "Conferma");
    EXPECT_EQ(w.state().CartelleMp3[5], FolderBrowser::rootFolder());
    EXPECT_EQ(filterCaption(h, 5), QDir::separator() == '/' ? "/" : "C:");
}

TEST(FolderFrame, ClearingASlotStoresEmptyTextAndABlankCaption) {
    Harness h;
    makeLibrary(h);
    h.writeConfig(file28(h));
    Audio& w = h.start();
    open(h);
    chooseFolder(h, "Mp3(1)", h.workDir());
    ASSERT_EQ(filterCaption(h, 1), "work");

    click(h, "Mp3(1)");
    press(h, "Vuoto");
    EXPECT_EQ(w.state().CartelleMp3[1].kind(), Value::Kind::Text);
    EXPECT_EQ(w.state().CartelleMp3[1].toText(), "");
    EXPECT_EQ(control<ClickableLabel>(h, "Mp3(1)")->text(), "MP3 (1): ");
    EXPECT_FALSE(bold(h, "Mp3(1)"));
    EXPECT_FALSE(browsing(h));
    EXPECT_EQ(filterCaption(h, 1), " ");
    press(h, "Esci");
    EXPECT_EQ(savedLines(h).value(8), "\"\"");
}

TEST(FolderFrame, AVanishedSlotFolderFallsBackToTheRootAtOnce) {
    Harness h;
    makeLibrary(h);
    h.writeConfig(file28(h));  // slot 0 names a Rock folder that is not there
    Audio& w = h.start();
    open(h);
    const QString old = control<ClickableLabel>(h, "Mp3(0)")->text();
    h.prompter.clear();
    click(h, "Mp3(0)");
    EXPECT_TRUE(h.prompter.messages.isEmpty());
    EXPECT_EQ(w.state().CartelleMp3[0], FolderBrowser::rootFolder());
    EXPECT_EQ(openFolder(h), FolderBrowser::rootFolder());
    EXPECT_EQ(control<ClickableLabel>(h, "Mp3(0)")->text(), old);
}

TEST(FolderFrame, AWorkingFolderWithoutLibraryIsKeptWithAWarning) {
    Harness h;
    makeLibrary(h);
    h.writeConfig(file28(h));
    Audio& w = h.start();
    open(h);
    const QString empty = h.workDir() + "Vuota";
    ASSERT_TRUE(QDir().mkpath(empty));
    h.prompter.clear();
    h.prompter.answers.enqueue(Message::Answer::No);  // no library there
    chooseFolder(h, "Wave", empty);
    ASSERT_EQ(h.prompter.messages.size(), 2);
    EXPECT_EQ(h.prompter.messages[1].text, "Attenzione!!! Percorso sbagliato o file mdb assente. ");
    EXPECT_EQ(h.prompter.messages[1].title, "Quintora: avviso");
    EXPECT_EQ(h.prompter.messages[1].icon, Message::Icon::Critical);
    EXPECT_EQ(w.state().PathLavoro, empty + QDir::separator());
    EXPECT_EQ(control<ClickableLabel>(h, "Wave")->text(), "Wave-Mdb: " + empty + QDir::separator());
}

TEST(FolderFrame, AWorkingFolderWithoutItsSeparatorGainsOne) {
    Harness h;
    makeLibrary(h);
    QByteArray text = file28(h);
    text.replace("\"" + h.workDir().toUtf8() + "\"", "\"" + h.workDir().chopped(1).toUtf8() + "\"");
    h.writeConfig(text);
    Audio& w = h.start();
    // Start-up already puts the separator where the file left it out.
    EXPECT_EQ(w.state().PathLavoro, h.workDir());
    open(h);
    click(h, "Wave");
    EXPECT_EQ(w.state().PathLavoro, h.workDir());
    EXPECT_EQ(openFolder(h), h.workDir());
}

TEST(FolderFrame, AVolumeThatIsNotReadyKeepsTheOpenFolder) {
    Harness h;
    makeLibrary(h);
    h.writeConfig(file28(h));
    h.start();
    open(h);
    const QString gone = h.path("usb") + QDir::separator();
    const QString disk = h.path("disk") + QDir::separator();
    ASSERT_TRUE(QDir().mkpath(disk));
    dialog(h)->findChild<FolderBrowser*>()->setVolumeLister([&] {
        return QList<FolderBrowser::Volume>{
            {FolderBrowser::rootFolder(), "root"}, {gone, "USB"}, {disk, "Disco"}};
    });
    click(h, "Wave");
    QComboBox* drives = control<QComboBox>(h, "Drive1");
    const int usb = drives->findData(gone);
    ASSERT_GE(usb, 0);
    h.prompter.clear();
    drives->setCurrentIndex(usb);
    emit drives->activated(usb);
    ASSERT_EQ(h.prompter.messages.size(), 1);
    EXPECT_EQ(h.prompter.messages[0].text, FolderBrowser::notReadyText(gone));
    EXPECT_EQ(openFolder(h), h.workDir());
    EXPECT_NE(drives->currentIndex(), usb);

    // A volume that is there opens at its root, and going back to the first one
    // finds the folder last open there.
    const int other = drives->findData(disk);
    drives->setCurrentIndex(other);
    emit drives->activated(other);
    EXPECT_EQ(openFolder(h), disk);
    const int root = drives->findData(FolderBrowser::rootFolder());
    drives->setCurrentIndex(root);
    emit drives->activated(root);
    EXPECT_EQ(openFolder(h), h.workDir());
}
