// The save of the settings dialog keeps what the user has: the library where it is,
// the font under its own name, and timers a timer can run; and it tells what it
// cannot open.
#include <QApplication>
#include <QFontDialog>
#include <QTimer>

#include "library/datasource.h"
#include "library/songgrid.h"
#include "library/songrecord.h"
#include "platform/hirestimer.h"
#include "settingstest.h"

using namespace settingstest;

namespace {

// A file28() whose grid font line is the one given.
QByteArray withFont(const Harness& h, const QByteArray& fontLine) {
    return file28(h).replace("\"DejaVu Sans\",12.5,#TRUE#,#FALSE#", fontLine);
}

// Opens the dialog and saves it at once with "Salva e Esci".
void openAndSave(Harness& h) {
    ASSERT_NE(open(h), nullptr);
    press(h, "Esci");
    settle();
    ASSERT_EQ(dialog(h), nullptr);
}

}  // namespace

TEST(SaveKeeps, AWorkingFolderStoredWithoutItsSeparatorKeepsItsLibrary) {
    Harness h;
    SongRecord song;
    song.Titoli = QStringLiteral("Volare");
    h.writeLibrary({song});
    QString work = h.workDir();
    work.chop(1);
    h.writeConfig(file28(h).replace(h.workDir().toUtf8(), work.toUtf8()));
    Audio& w = h.start();
    openAndSave(h);
    // No offer of a new library, none made beside the folder, the songs still shown.
    EXPECT_TRUE(h.prompter.messages.isEmpty()) << h.prompter.texts().join("|").toStdString();
    EXPECT_FALSE(QFileInfo::exists(work + "Songs.mdb"));
    EXPECT_FALSE(QFileInfo::exists(work + "songs.mdb"));
    EXPECT_EQ(w.controls().Data1->rowCount(), 1);
    EXPECT_EQ(savedLines(h).value(1), "\"" + h.workDir().toUtf8() + "\"");
}

TEST(SaveKeeps, AnUnreadableLibraryInANewWorkingFolderIsToldAtTheSave) {
    Harness h;
    makeLibrary(h);
    h.writeConfig(file28(h));
    Audio& w = h.start();
    h.writeFile("other/Songs.mdb", QByteArray(4096, 'x'));
    const QString other = h.path("other") + QDir::separator();
    open(h);
    chooseFolder(h, "Wave", other);
    h.prompter.clear();
    press(h, "Esci");
    settle();
    ASSERT_EQ(dialog(h), nullptr);
    ASSERT_EQ(h.prompter.messages.size(), 1) << h.prompter.texts().join("|").toStdString();
    EXPECT_EQ(h.prompter.messages[0].icon, Message::Icon::Critical);
    EXPECT_TRUE(h.prompter.messages[0].text.contains(other + "Songs.mdb"))
        << h.prompter.messages[0].text.toStdString();
    EXPECT_EQ(w.controls().Data1->databaseName(), other + "songs.mdb");
}

TEST(SaveKeeps, AFontNameHoldingACommaIsKeptWhole) {
    Harness h;
    makeLibrary(h);
    h.writeConfig(withFont(h, "\"Sans, Condensed\",11,#FALSE#,#TRUE#"));
    Audio& w = h.start();
    EXPECT_EQ(w.controls().DBGrid1->font().family(), "Sans, Condensed");
    openAndSave(h);
    EXPECT_EQ(savedLines(h).value(3), "\"Sans, Condensed\",11,#FALSE#,#TRUE#");

    QFont chosen;
    chosen.setFamily(QStringLiteral("Serif, Old Style"));
    chosen.setPointSize(14);
    h.choosers.fonts.enqueue(chosen);
    open(h);
    press(h, "ApriFont");
    EXPECT_EQ(w.controls().DBGrid2->font().family(), "Serif, Old Style");
    press(h, "Esci");
    settle();
    EXPECT_EQ(savedLines(h).value(3), "\"Serif, Old Style\",14,#FALSE#,#FALSE#");
}

TEST(SaveKeeps, TheFontChooserLeftAsShownDoesNotRenameTheFont) {
    Harness h;
    h.desktopChoosers = true;
    makeLibrary(h);
    h.writeConfig(withFont(h, "\"MS Sans Serif\",10,#FALSE#,#FALSE#"));
    Audio& w = h.start();
    open(h);
    // The user presses OK in the chooser without touching anything.
    bool answered = false;
    QTimer::singleShot(0, [&answered] {
        for (QWidget* top : QApplication::topLevelWidgets()) {
            if (auto* chooser = qobject_cast<QFontDialog*>(top); chooser && chooser->isVisible()) {
                chooser->accept();
                answered = true;
            }
        }
    });
    press(h, "ApriFont");
    ASSERT_TRUE(answered);
    EXPECT_EQ(w.controls().DBGrid1->font().family(), "MS Sans Serif");
    press(h, "Esci");
    settle();
    EXPECT_EQ(savedLines(h).value(3), "\"MS Sans Serif\",10,#FALSE#,#FALSE#");
}

TEST(SaveKeeps, IntervalsBeyondAnyTimerAreBroughtIntoRangeWhereTheyAreTyped) {
    Harness h;
    makeLibrary(h);
    h.writeConfig(file28(h));
    h.start();
    open(h);
    setText(h, "TextPed", "3000000000");
    setText(h, "TextIstrs", "-20");
    press(h, "Applica");
    EXPECT_EQ(h.find<HiResTimer>("HiResTimer1")->interval(), 3600000);
    EXPECT_EQ(h.find<HiResTimer>("TmrIstrs")->interval(), 0);
    setText(h, "TextMute", "99999999999");
    press(h, "Esci");
    settle();
    EXPECT_EQ(h.find<HiResTimer>("TmrPrePreload")->interval(), 3600000);
    EXPECT_EQ(savedLines(h).value(4), "3600000,3600000,600,0");
}
