#include <gtest/gtest.h>

#include <QAction>
#include <QPushButton>
#include <QRegularExpression>
#include <QTextBrowser>

#include "app/helplauncher.h"
#include "guide/guidewindow.h"
#include "support/harness.h"
#include "support/testlibrary.h"

namespace {

QList<GuideWindow*> guides(Harness& h) {
    return h.window().findChildren<GuideWindow*>();
}

}  // namespace

TEST(Guide, AMissingHelpDocumentIsToldAndTheGuideOpensOnce) {
    Harness h(Harness::Sound::Recording);
    TestLibrary::install(h);
    h.start();
    h.find<QPushButton>("Istruzioni")->click();
    EXPECT_EQ(h.prompter.texts(), QStringList{HelpLauncher::missingDocumentText()});
    ASSERT_EQ(guides(h).size(), 1);
    GuideWindow* guide = guides(h)[0];
    EXPECT_TRUE(guide->isVisible());
    EXPECT_FALSE(guide->isModal());
    EXPECT_EQ(guide->windowTitle(), "Guida di Quintora");
    // Shown as formatted text, not as the Markdown source.
    const QString shown = guide->browser()->toPlainText();
    EXPECT_TRUE(shown.contains("Sul palco"));
    EXPECT_FALSE(shown.contains("## "));
    // Help again brings the same window back rather than a second one.
    guide->close();
    h.find<QAction>("MenuHelp")->trigger();
    ASSERT_EQ(guides(h).size(), 1);
    EXPECT_TRUE(guides(h)[0]->isVisible());
}

TEST(Guide, OpensWhenNothingOnTheSystemOpensTheDocumentAndOnlyThen) {
    Harness h(Harness::Sound::Recording);
    TestLibrary::install(h);
    h.start();
    h.writeFile("work/Quintora.wri", "{\\rtf1 manuale}");
    // The desktop opens the document: the program's own guide stays closed.
    h.find<QPushButton>("Istruzioni")->click();
    EXPECT_EQ(h.launcher.opened, QStringList{h.workDir() + "Quintora.wri"});
    EXPECT_TRUE(guides(h).isEmpty());
    // The opener starts, then finds no program for the document.
    h.launcher.openerFails = true;
    h.find<QPushButton>("Istruzioni")->click();
    EXPECT_EQ(h.prompter.texts(), QStringList{HelpLauncher::missingProgramText()});
    ASSERT_EQ(guides(h).size(), 1);
    EXPECT_TRUE(guides(h)[0]->isVisible());
    // No opener could be started at all.
    guides(h)[0]->close();
    h.launcher.openerFails = false;
    h.launcher.startSucceeds = false;
    h.find<QAction>("MenuHelp")->trigger();
    ASSERT_EQ(guides(h).size(), 1);
    EXPECT_TRUE(guides(h)[0]->isVisible());
}

// The guide names the buttons the performer is told to press: each one of the main
// window's buttons it quotes must be there under that caption.
TEST(Guide, TheButtonsItNamesAreTheMainWindowsOwn) {
    Harness h(Harness::Sound::Recording);
    TestLibrary::install(h);
    Audio& w = h.start();
    QStringList captions;
    for (const QPushButton* b : w.findChildren<QPushButton*>()) {
        captions << b->text();
    }
    const QString guide = GuideWindow::markdown();
    for (const char* named : {"Collega", "Config", "Verif", "Diag", "Help"}) {
        EXPECT_TRUE(guide.contains(QStringLiteral("\"%1\"").arg(QLatin1String(named)))) << named;
        EXPECT_TRUE(captions.contains(QLatin1String(named))) << named;
    }
}
