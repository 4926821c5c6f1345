#include <QComboBox>
#include <QFileInfo>

#include "app/closingcheck.h"
#include "platform/hirestimer.h"
#include "settingstest.h"

using namespace settingstest;

namespace {

void expectRefusal(const Message& m) {
    EXPECT_EQ(m.text,
              "Attenzione!!! Percorso sbagliato o file mdb assente. Impossibile trovare la "
              "cartella di lavoro di Quintora!");
    EXPECT_EQ(m.title, "Quintora: avviso");
    EXPECT_EQ(m.icon, Message::Icon::Critical);
    EXPECT_EQ(m.buttons, Message::Buttons::Ok);
}

}  // namespace

TEST(Closing, EveryWayOfClosingIsRefusedWithoutTheLibrary) {
    Harness h;
    h.writeConfig(file28(h));  // the working folder holds no Songs.mdb
    Audio& w = h.start();
    Impspath* d = open(h);
    ASSERT_NE(d, nullptr);
    setText(h, "TextPed", "33");
    h.prompter.clear();
    for (int i = 0; i < 3; ++i) {
        h.prompter.answers.enqueue(Message::Answer::Ok);
        h.prompter.answers.enqueue(Message::Answer::No);
    }

    press(h, "Esci");
    d->close();
    keyClick(d, Qt::Key_Escape);
    settle();

    // Each attempt: the refusal, then the offer of an empty library (declined); the
    // main window is shown, so there is no question about leaving.
    ASSERT_EQ(h.prompter.messages.size(), 6);
    for (int i = 0; i < 6; i += 2) {
        expectRefusal(h.prompter.messages[i]);
        EXPECT_EQ(h.prompter.messages[i + 1].text,
                  ClosingCheck::createLibraryText(QDir::toNativeSeparators(h.workDir())));
    }
    ASSERT_EQ(dialog(h), d);
    EXPECT_TRUE(d->isVisible());
    EXPECT_EQ(control<QLineEdit>(h, "TextPed")->text(), "33");
    EXPECT_EQ(w.controls().HiResTimer1->interval(), 25);
    EXPECT_EQ(savedLines(h).value(4), "25,150.5,600,300");
}

TEST(Closing, AChosenFolderCanReceiveAnEmptyLibrary) {
    Harness h;
    Audio& w = h.start();
    h.prompter.answers.enqueue(Message::Answer::No);  // no library at once
    chooseFolder(h, "Wave", h.workDir());
    ASSERT_EQ(h.prompter.messages.last().text,
              "Attenzione!!! Percorso sbagliato o file mdb assente. ");
    h.prompter.clear();
    h.prompter.answers.enqueue(Message::Answer::Ok);
    h.prompter.answers.enqueue(Message::Answer::Yes);
    press(h, "Esci");
    settle();

    ASSERT_EQ(h.prompter.messages.size(), 2);
    expectRefusal(h.prompter.messages[0]);
    EXPECT_EQ(h.prompter.messages[1].buttons, Message::Buttons::YesNo);
    EXPECT_TRUE(QFileInfo::exists(h.workDir() + "Songs.mdb"));
    EXPECT_EQ(dialog(h), nullptr);
    EXPECT_TRUE(w.isVisible());
    EXPECT_EQ(savedLines(h).value(1), "\"" + h.workDir().toUtf8() + "\"");
    EXPECT_EQ(h.find<QComboBox>("CmbScalette")->count(), 7);
}

TEST(Closing, AFirstRunCanBeLeftWithoutSaving) {
    Harness h;
    Audio& w = h.start();
    int quits = 0;
    QObject::connect(&w, &Audio::quitConfirmed, [&quits] { ++quits; });
    h.prompter.clear();

    // No folder chosen: no library can be offered; staying is the default answer.
    press(h, "Esci");
    ASSERT_EQ(h.prompter.messages.size(), 2);
    expectRefusal(h.prompter.messages[0]);
    const Message& question = h.prompter.messages[1];
    EXPECT_EQ(question.text, ClosingCheck::quitText());
    EXPECT_EQ(question.buttons, Message::Buttons::YesNo);
    EXPECT_EQ(question.defaultAnswer, Message::Answer::No);
    EXPECT_NE(dialog(h), nullptr);
    EXPECT_EQ(quits, 0);

    h.prompter.answers.enqueue(Message::Answer::Ok);
    h.prompter.answers.enqueue(Message::Answer::Yes);
    press(h, "Esci");
    settle();
    EXPECT_EQ(quits, 1);
    EXPECT_EQ(dialog(h), nullptr);
    EXPECT_FALSE(w.isVisible());
    EXPECT_FALSE(QFileInfo::exists(h.configPath()));
}

TEST(Closing, LeavingTheProgramClosesTheDialogWithoutAsking) {
    Harness h;
    h.writeConfig(file28(h));
    Audio& w = h.start();
    Impspath* d = open(h);
    QPointer<Impspath> alive(d);
    h.prompter.answers.enqueue(Message::Answer::Yes);  // the exit question
    w.close();
    ASSERT_TRUE(w.isQuitting());
    h.prompter.clear();
    d->close();
    settle();
    EXPECT_TRUE(h.prompter.messages.isEmpty());
    EXPECT_TRUE(alive.isNull());
}
