#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QMessageBox>
#include <QScrollBar>
#include <QTest>

#include "about/info.h"
#include "app/diagnostica.h"
#include "platform/lamp.h"
#include "remote/pedalboxwindow.h"
#include "support/harness.h"
#include "support/testlibrary.h"

// The main window's keys typed while another Quintora window has the focus.

namespace {

constexpr qint64 kRed = 255;
constexpr qint64 kGreen = 49152;

// Groove 1 of Alba sounding, started with the pedal, the preload lamp green.
void grooveSounding(Harness& h) {
    h.box.setPedal1(true);
    h.advance(40);
    h.box.setPedal1(false);
    h.advance(600);
    ASSERT_TRUE(h.window().state().Groove1Attivo);
    ASSERT_EQ(h.find<Lamp>("LedPreload")->backColor(), kGreen);
}

// Whether the last Space stopped the sound: groove silent, flags and lamp reset,
// the preload running again.
void expectStopped(Harness& h, const char* where) {
    EXPECT_TRUE(h.recordingGrooves()->playing.isEmpty()) << where;
    EXPECT_FALSE(h.window().state().Groove1Attivo) << where;
    EXPECT_EQ(h.find<Lamp>("LedPreload")->backColor(), kRed) << where;
    EXPECT_EQ(h.volume.level(), 0) << where;
}

QCheckBox* checkBox(QWidget& window, const QString& caption) {
    for (QCheckBox* c : window.findChildren<QCheckBox*>()) {
        if (c->text() == caption) {
            return c;
        }
    }
    return nullptr;
}

}  // namespace

TEST(StageKeys, SpaceStopsTheSoundFromEveryWindowAndLeavesItsCheckBoxesAlone) {
    Harness h(Harness::Sound::Recording);
    TestLibrary::ready(h, "Alba");
    Audio& w = h.window();

    // The on-screen pedal box, its presence switch focused by a click.
    PedalBoxWindow box(h.box);
    box.show();
    QCheckBox* present = checkBox(box, QStringLiteral("Pedaliera collegata"));
    ASSERT_NE(present, nullptr);
    ASSERT_TRUE(present->isChecked());
    present->setFocus();
    grooveSounding(h);
    QTest::keyClick(present, Qt::Key_Space);
    expectStopped(h, "pedal box");
    EXPECT_TRUE(present->isChecked());
    h.advance(1000);

    // The diagnostics panel, a status check box focused.
    w.openDiagnostica();
    auto* check = w.loadedDiagnostica()->findChild<QCheckBox*>("Check1");
    check->setFocus();
    grooveSounding(h);
    QTest::keyClick(check, Qt::Key_Space);
    expectStopped(h, "diagnostics");
    EXPECT_FALSE(check->isChecked());
    EXPECT_TRUE(w.loadedDiagnostica()->isVisible());
    h.advance(1000);

    // The About box stays open.
    TestLibrary::key(h, Qt::Key_Insert);
    auto* info = w.findChild<Info*>("Info");
    ASSERT_NE(info, nullptr);
    grooveSounding(h);
    QTest::keyClick(info, Qt::Key_Space);
    expectStopped(h, "About box");
    EXPECT_TRUE(info->isVisible());
    h.advance(1000);

    // A message box (the lost box's warning) is not closed by it: it says what
    // happened until it is answered.
    QMessageBox message(QMessageBox::Warning, QStringLiteral("Quintora"),
                        QStringLiteral("Attenzione!!! L'interfaccia hardware si è scollegata!"));
    message.show();
    grooveSounding(h);
    QTest::keyClick(&message, Qt::Key_Space);
    expectStopped(h, "message box");
    EXPECT_TRUE(message.isVisible());
}

TEST(StageKeys, TheKeyTableWorksInOtherWindowsButNotWhileTypingInAField) {
    Harness h(Harness::Sound::Recording);
    TestLibrary::ready(h, "Alba");
    Audio& w = h.window();
    AudioControls& c = w.controls();
    w.openDiagnostica();
    Diagnostica& panel = *w.loadedDiagnostica();
    auto* check = panel.findChild<QCheckBox*>("Check2");
    check->setFocus();
    QTest::keyClick(check, Qt::Key_F7);
    EXPECT_EQ(c.CmbScalette->currentText(), " Alfabetica Aut [F7]");
    QTest::keyClick(check, Qt::Key_Minus);
    EXPECT_EQ(c.Vol1->value(), 31767);

    // Typing the value to send: the keys are text there, Space and letters too.
    auto* field = panel.findChild<QLineEdit*>("Text1");
    field->setFocus();
    field->clear();
    grooveSounding(h);
    QTest::keyClicks(field, QStringLiteral("1 A"));
    QTest::keyClick(field, Qt::Key_F8);
    EXPECT_EQ(field->text(), "1 A");
    EXPECT_TRUE(w.state().Groove1Attivo);
    EXPECT_EQ(c.CmbScalette->currentText(), " Alfabetica Aut [F7]");

    // The pedal box window takes them too.
    PedalBoxWindow box(h.box);
    box.show();
    QTest::keyClick(&box, Qt::Key_Plus);
    EXPECT_EQ(c.Vol1->value(), 32767);
}
