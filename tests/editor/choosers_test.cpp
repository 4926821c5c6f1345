// The song dialog's choosers: where they open, what a chosen MP3 brings with it,
// where a new song went, and clicks on the dialog while one of them is still open.
#include <gtest/gtest.h>

#include <QAccessible>
#include <QDir>
#include <QEventLoop>
#include <QFileInfo>
#include <QPointer>
#include <QProcess>
#include <QTimer>

#include "editing.h"
#include "editor/chooserfolders.h"
#include "support/testaudio.h"
#include "support/testlibrary.h"

using namespace editing;

namespace {

// An MP3 of a short tone at path, with the ID3 tags given as lame options.
void mp3(const QString& path, const QStringList& tags = {}) {
    ASSERT_FALSE(testaudio::writeTaggedMp3(path, tags).isEmpty()) << "lame failed";
}

QString wav(Harness& h, const QString& relative) {
    const QString path = h.path(relative);
    QDir().mkpath(QFileInfo(path).absolutePath());
    testaudio::writeWav(path, 22050, testaudio::sine(440, 0.5f));
    return path;
}

// Presses a button as assistive technology does, through its accessible action.
void pressAccessibly(QAbstractButton* button) {
    QAccessibleInterface* a = QAccessible::queryAccessibleInterface(button);
    ASSERT_NE(a, nullptr);
    ASSERT_NE(a->actionInterface(), nullptr);
    a->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
}

}  // namespace

TEST(SongChoosers, EachOpensWhereAFileOfItsKindWasLastChosenAcrossRuns) {
    Harness h;
    TestLibrary::install(h);
    h.start();
    menu(h, "MenuNuovoBrano");
    click(h, "OptLoop");
    h.fileChooser.files << wav(h, "download/JAZ001.wav") << wav(h, "altrove/JAZ002.wav");
    click(h, "ScegliGroove1");
    click(h, "ScegliGroove2");
    click(h, "OptMp3");
    click(h, "ScegliGroove1");  // cancelled
    click(h, "OptLoop");
    click(h, "ScegliGroove1");  // cancelled
    const QString work = h.workDir();
    EXPECT_EQ(h.fileChooser.fileFolders,
              QStringList({work, h.path("download"), work + "MP3A/", h.path("altrove")}));
    // The next run opens there too; a folder gone since opens where it used to.
    EXPECT_EQ(ChooserFolders(h.configPath()).folder(ChooserFolders::kGroove, work),
              h.path("altrove"));
    QDir(h.path("altrove")).removeRecursively();
    EXPECT_EQ(ChooserFolders(h.configPath()).folder(ChooserFolders::kGroove, work), work);
}

TEST(SongChoosers, AnMp3FillsTheEmptyTitleAndAuthorFromItsTags) {
    Harness h;
    TestLibrary::install(h);
    h.start();
    const QString tagged = h.workDir() + "MP3A/traccia07.mp3";
    mp3(tagged, {"--tt", "Notte di luna", "--ta", "I Lampi"});
    menu(h, "MenuNuovoBrano");
    click(h, "OptMp3");
    h.fileChooser.files << tagged;
    click(h, "ScegliGroove1");
    EXPECT_EQ(field(h, "TextTitoli")->text(), "Notte di luna");
    EXPECT_EQ(field(h, "TextAutore")->text(), "I Lampi");
    // What the user typed is kept.
    type(h, "TextTitoli", "Luna");
    field(h, "TextAutore")->clear();
    h.fileChooser.files << tagged;
    click(h, "ScegliGroove1");
    EXPECT_EQ(field(h, "TextTitoli")->text(), "Luna");
    EXPECT_EQ(field(h, "TextAutore")->text(), "I Lampi");
}

TEST(SongChoosers, ANewSongNotInTheShownListIsToldAndShownOnRequest) {
    Harness h;
    TestLibrary::install(h);
    h.start();
    TestLibrary::key(h, Qt::Key_F2);
    menu(h, "MenuNuovoBrano");
    type(h, "TextTitoli", "Ospite");
    setOrder(h, 4, 2);
    h.prompter.answers << Message::Answer::No;
    click(h, "Salva");
    ASSERT_EQ(h.prompter.messages.size(), 1);
    EXPECT_TRUE(h.prompter.messages[0].text.contains("Scaletta 2"));
    EXPECT_TRUE(h.prompter.messages[0].text.contains("È nella Scaletta 4 (n° 2)."));
    EXPECT_EQ(titles(h), QStringList({"Cielo", "Duna", "Fiume"}));

    menu(h, "MenuNuovoBrano");
    type(h, "TextTitoli", "Ospite due");
    click(h, "Salva");  // the question's default: show it
    EXPECT_EQ(h.prompter.messages.size(), 2);
    EXPECT_EQ(highlighted(h), "Ospite due");
    EXPECT_TRUE(titles(h).contains("Ospite"));
    // Saved where the list shows it: nothing to say.
    menu(h, "MenuNuovoBrano");
    type(h, "TextTitoli", "Ospite tre");
    click(h, "Salva");
    EXPECT_EQ(h.prompter.messages.size(), 2);
}

TEST(SongChoosers, TheDialogNeitherSavesNorClosesUnderItsOwnOpenChooser) {
    Harness h;
    TestLibrary::install(h);
    h.start();
    menu(h, "MenuNuovoBrano");
    type(h, "TextTitoli", "Sotto");
    type(h, "TextBpm", "100");
    click(h, "OptLoop");
    QPointer<SongDialog> d = dialog(h);
    auto* salva = d->findChild<QAbstractButton*>("Salva");
    auto* annulla = d->findChild<QAbstractButton*>("Annulla");
    // While the chooser's own event loop runs, "Salva" and "Annulla" are pressed as
    // assistive technology presses them, and then the window is closed.
    h.fileChooser.whileOpen = [&] {
        QEventLoop loop;
        QTimer::singleShot(0, &loop, [&] {
            pressAccessibly(salva);
            salva->click();
            pressAccessibly(annulla);
            QTimer::singleShot(20, &loop, &QEventLoop::quit);
        });
        loop.exec();
    };
    h.fileChooser.files << wav(h, "download/JAZ001.wav");
    click(h, "ScegliGroove1");
    ASSERT_TRUE(d);
    EXPECT_EQ(field(h, "TextGroove1")->text(), "JAZ001.wav");
    EXPECT_FALSE(titles(h).contains("Sotto"));  // nothing stored under the chooser

    h.fileChooser.whileOpen = [&] {
        QEventLoop loop;
        QTimer::singleShot(0, &loop, [&] {
            d->close();
            QTimer::singleShot(20, &loop, &QEventLoop::quit);
        });
        loop.exec();
        EXPECT_TRUE(d && d->isVisible());
    };
    click(h, "ScegliGroove2");  // cancelled; the close asked meanwhile follows
    ASSERT_TRUE(d);
    EXPECT_FALSE(d->isVisible());
    h.fileChooser.whileOpen = {};

    menu(h, "MenuNuovoBrano");
    type(h, "TextTitoli", "Sopra");
    click(h, "Salva");
    EXPECT_TRUE(titles(h).contains("Sopra"));
}
