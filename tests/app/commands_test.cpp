#include <gtest/gtest.h>

#include <QAction>
#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>

#include "about/info.h"
#include "app/diagnostica.h"
#include "app/helplauncher.h"
#include "platform/hirestimer.h"
#include "platform/lamp.h"
#include "playback/audioengine.h"
#include "support/harness.h"
#include "support/testlibrary.h"

TEST(Exit, EsciAnsweredNoLeavesTheProgramDetachedAndSilentButRunning) {
    Harness h;
    TestLibrary::ready(h, "Alba");
    Audio& w = h.window();
    h.box.setPedal1(true);
    h.advance(40);
    w.openDiagnostica();
    QSignalSpy quit(&w, &Audio::quitConfirmed);
    h.find<QPushButton>("Esci")->click();
    ASSERT_EQ(h.prompter.messages.size(), 1);
    const Message& q = h.prompter.messages[0];
    EXPECT_EQ(q.text, " Sei sicuro di voler terminare il programma? ");
    EXPECT_EQ(q.title, "Uscita da Quintora");
    EXPECT_EQ(q.icon, Message::Icon::Exclamation);
    EXPECT_EQ(q.buttons, Message::Buttons::YesNo);
    EXPECT_EQ(q.defaultAnswer, Message::Answer::No);  // Enter keeps the program running
    EXPECT_EQ(quit.count(), 0);
    EXPECT_TRUE(w.isVisible());
    EXPECT_FALSE(w.state().Collegato);
    EXPECT_EQ(h.find<Lamp>("LedConnect")->backColor(), 255);
    EXPECT_TRUE(h.find<HiResTimer>("HiResTimer1")->isEnabled());
    EXPECT_TRUE(h.box.writtenValues().contains(9));
    EXPECT_EQ(h.box.writtenValues().last(), 0);
    h.advance(50);
    EXPECT_FALSE(h.engine()->grooveSounding());
    EXPECT_FALSE(w.state().DiagAperta);
}

TEST(Exit, ClosingFromTheFrameOnlyPausesThePollAndYesEndsTheProgram) {
    Harness h;
    TestLibrary::ready(h, "Alba");
    Audio& w = h.window();
    h.box.setPedal1(true);
    h.advance(50);
    QSignalSpy quit(&w, &Audio::quitConfirmed);
    w.close();  // answered No by default
    EXPECT_TRUE(w.isVisible());
    EXPECT_TRUE(w.state().Collegato);
    EXPECT_TRUE(h.engine()->grooveSounding());
    EXPECT_TRUE(h.find<HiResTimer>("HiResTimer1")->isEnabled());
    h.prompter.answers.enqueue(Message::Answer::Yes);
    h.find<QAction>("MenuEsci")->trigger();
    EXPECT_EQ(quit.count(), 1);
    EXPECT_FALSE(w.isVisible());
    EXPECT_FALSE(w.state().Collegato);
}

TEST(Help, TheManualIsFoundOnlyUnderItsExactNameAndOpenedByTheDesktop) {
    Harness h(Harness::Sound::Recording);
    TestLibrary::install(h);
    Audio& w = h.start();
    h.writeFile("work/quintora.wri", "{\\rtf1 manuale}");
    h.find<QPushButton>("Istruzioni")->click();
    EXPECT_EQ(h.prompter.texts(), QStringList{HelpLauncher::missingDocumentText()});
    EXPECT_TRUE(h.launcher.opened.isEmpty());
    h.writeFile("work/Quintora.wri", "{\\rtf1 manuale}");
    h.find<QAction>("MenuHelp")->trigger();
    EXPECT_EQ(h.launcher.opened, QStringList{h.workDir() + "Quintora.wri"});
    EXPECT_EQ(w.state().PathAppoggio, h.workDir() + "Quintora.wri");
    h.launcher.startSucceeds = false;
    h.prompter.clear();
    h.find<QPushButton>("Istruzioni")->click();
    EXPECT_EQ(h.prompter.texts(), QStringList{HelpLauncher::missingProgramText()});
}

TEST(Help, AnOpenerThatFindsNoProgramIsToldWithoutNamingAbsentPrograms) {
    Harness h(Harness::Sound::Recording);
    TestLibrary::install(h);
    h.start();
    h.writeFile("work/Quintora.wri", "{\\rtf1 manuale}");
    // The desktop's opener starts, then finds nothing that opens the document.
    h.launcher.openerFails = true;
    h.find<QPushButton>("Istruzioni")->click();
    EXPECT_EQ(h.launcher.opened, QStringList{h.workDir() + "Quintora.wri"});
    ASSERT_EQ(h.prompter.texts(), QStringList{HelpLauncher::missingProgramText()});
#ifndef Q_OS_WIN
    EXPECT_FALSE(h.prompter.texts()[0].contains("WordPad"));
    EXPECT_TRUE(h.prompter.texts()[0].contains("Quintora.wri"));
#endif
    // An opener that works says nothing.
    h.launcher.openerFails = false;
    h.prompter.clear();
    h.find<QAction>("MenuHelp")->trigger();
    EXPECT_TRUE(h.prompter.messages.isEmpty());
}

TEST(About, ShowsTheVersionAndStartsTheSystemInformationWhenThereIsOne) {
    Harness h(Harness::Sound::Recording);
    TestLibrary::install(h);
    Audio& w = h.start();
    h.find<QAction>("MenuInfo")->trigger();
    auto* info = w.findChild<Info*>("Info");
    ASSERT_NE(info, nullptr);
    EXPECT_EQ(info->findChild<QLabel*>("lblVersion")->text(), "Versione 2.8.5");
    EXPECT_EQ(info->findChild<QLabel*>("Label1")->text(), "Interfaccia audio   Pedale -> Computer");
    auto* sysInfo = info->findChild<QPushButton*>("cmdSysInfo");
    EXPECT_EQ(sysInfo->text(), "Cosa c'è nel mio PC?");
    sysInfo->click();
    EXPECT_EQ(h.prompter.texts(),
              QStringList{"Le informazioni sul sistema non sono disponibili in questa fase"});
    h.launcher.installed.insert("hardinfo");
    sysInfo->click();
    ASSERT_EQ(h.launcher.started.size(), 1);
    EXPECT_EQ(h.launcher.started[0].program, "/usr/bin/hardinfo");
    info->findChild<QPushButton*>("cmdOK")->click();
    EXPECT_FALSE(info->isVisible());
}
