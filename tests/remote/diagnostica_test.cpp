#include <gtest/gtest.h>

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QTest>

#include "app/diagnostica.h"
#include "platform/lamp.h"
#include "support/harness.h"
#include "support/testlibrary.h"

namespace {

template <class T>
T* in(Audio& w, const char* name) {
    return w.loadedDiagnostica()->findChild<T*>(name);
}

}  // namespace

TEST(Diagnostica, TheLampTestRestoresExactlyTheLampsLitBefore) {
    Harness h(Harness::Sound::Recording);
    TestLibrary::ready(h, "Alba");
    Audio& w = h.window();
    h.box.setPedal1(true);
    h.advance(40);
    ASSERT_EQ(h.box.lamps(), 9);
    h.find<QPushButton>("DiagnosticaButt")->click();
    EXPECT_TRUE(w.state().DiagAperta);
    auto* test = in<QPushButton>(w, "Tutti");
    ASSERT_TRUE(test->isEnabled());
    QTest::mousePress(test, Qt::LeftButton);
    EXPECT_EQ(h.box.lamps(), 15);
    EXPECT_EQ(in<Lamp>(w, "Led3")->backColor(), 8438015);
    QTest::mouseRelease(test, Qt::LeftButton);
    EXPECT_EQ(h.box.lamps(), 9);
    EXPECT_EQ(in<Lamp>(w, "Led1")->backColor(), 128);
    EXPECT_EQ(in<Lamp>(w, "Led3")->backColor(), 16576);
}

TEST(Diagnostica, SendsTypedValuesAndSaysWhenItCannot) {
    Harness h(Harness::Sound::Recording);
    TestLibrary::install(h);
    Audio& w = h.start();
    TestLibrary::connect(h);
    w.openDiagnostica();
    in<QLineEdit>(w, "Text1")->setText("5");
    in<QPushButton>(w, "Invio")->click();
    EXPECT_EQ(h.box.lamps(), 5);
    EXPECT_EQ(in<QLabel>(w, "Label2")->text(), "OK");
    in<QLineEdit>(w, "Text1")->setText("cinque");
    in<QPushButton>(w, "Invio")->click();
    EXPECT_EQ(in<QLabel>(w, "Label1")->text(), "* NO *");
    EXPECT_EQ(h.box.lamps(), 5);
    // Closing the panel gives the box back the lamps in force.
    in<QPushButton>(w, "Esci")->click();
    EXPECT_EQ(h.box.lamps(), 8);
    EXPECT_FALSE(w.state().DiagAperta);
}

TEST(Diagnostica, MirrorsTheStatusLinesAndLogsEachProcessedChange) {
    Harness h(Harness::Sound::Recording);
    TestLibrary::ready(h, "Alba");
    Audio& w = h.window();
    w.openDiagnostica();
    h.box.setPedal1(true);
    h.advance(40);
    EXPECT_TRUE(in<QCheckBox>(w, "Check4")->isChecked());   // Busy: pedal 1
    EXPECT_TRUE(in<QCheckBox>(w, "Check2")->isChecked());   // Selected: present
    EXPECT_FALSE(in<QCheckBox>(w, "Check3")->isChecked());  // Paper Empty: pedal 2
    EXPECT_EQ(in<Lamp>(w, "Led1")->backColor(), 255);
    EXPECT_TRUE(w.loadedDiagnostica()->ritardi().startsWith("\nFine routine = "));
    EXPECT_EQ(in<QLabel>(w, "Stato")->text(), "Stato della porta: COLLEGATA");
}

TEST(Diagnostica, APanelLoadedWhileDetachedKeepsShowingThatState) {
    Harness h(Harness::Sound::Recording);
    TestLibrary::install(h);
    Audio& w = h.start();
    TestLibrary::key(h, Qt::Key_Space);  // loads the panel, hidden
    TestLibrary::connect(h);
    w.openDiagnostica();
    EXPECT_EQ(in<QLabel>(w, "Stato")->text(), "Stato della porta: SCOLLEGATA");
    EXPECT_FALSE(in<QPushButton>(w, "Invio")->isEnabled());
    EXPECT_FALSE(in<QPushButton>(w, "Tutti")->isEnabled());
    EXPECT_EQ(in<Lamp>(w, "LedCn")->backColor(), 16384);
    EXPECT_EQ(in<QLabel>(w, "Lpth")->text(), "Path Audio: " + h.workDir());
}

TEST(Diagnostica, PreparationMirrorsTheSongOnAnOpenPanel) {
    Harness h(Harness::Sound::Recording);
    TestLibrary::install(h);
    Audio& w = h.start();
    TestLibrary::connect(h);
    w.openDiagnostica();
    TestLibrary::prepare(h, "Alba");
    EXPECT_EQ(in<QLabel>(w, "Ltit")->text(), "Tit: Alba");
    EXPECT_EQ(in<QLabel>(w, "Lbpm")->text(), "BPM:  120");
    EXPECT_EQ(in<QLabel>(w, "Lgr1")->text(), "Grv1: ROK001.wav");
    EXPECT_EQ(in<QLabel>(w, "Lgr2")->text(), "Grv2: ROK001B.wav");
    EXPECT_TRUE(in<QCheckBox>(w, "Llop")->isChecked());
    EXPECT_EQ(in<QLabel>(w, "Lpag")->text(), "Pagina:  0");
}

namespace {

// The numbers of the delay log's lines, as written.
QStringList loggedDelays(Audio& w) {
    QStringList out;
    for (const QString& line : w.loadedDiagnostica()->ritardi().split('\n', Qt::SkipEmptyParts)) {
        EXPECT_TRUE(line.startsWith("Fine routine = ")) << line.toStdString();
        out << line.mid(15);
    }
    return out;
}

// One press of pedal 1 that the tick processes, and its release.
void tapPedal1(Harness& h) {
    h.box.setPedal1(true);
    h.advance(40);
    h.box.setPedal1(false);
    h.advance(600);
}

}  // namespace

TEST(Diagnostica, ADelayAcrossMidnightIsTheTimeThatPassed) {
    Harness h(Harness::Sound::Recording);
    TestLibrary::ready(h, "Alba");
    Audio& w = h.window();
    w.openDiagnostica();
    h.clock.setTimeOfDay(24 * 3600.0 - 0.3);
    tapPedal1(h);  // starts at 23:59:59.7, the release is logged after midnight
    const QStringList delays = loggedDelays(w);
    ASSERT_EQ(delays.size(), 2);
    EXPECT_EQ(delays[0], "0");
    const double released = delays[1].toDouble();
    EXPECT_GE(released, 500);
    EXPECT_LE(released, 600);
}

TEST(Diagnostica, TheDelayLogHasNoThousandsSeparatorInAnyLocale) {
    const QLocale before;
    for (const QLocale& locale : {QLocale(QLocale::English, QLocale::UnitedStates),
                                  QLocale(QLocale::Italian, QLocale::Italy)}) {
        QLocale::setDefault(locale);
        Harness h(Harness::Sound::Recording);
        TestLibrary::ready(h, "Alba");
        Audio& w = h.window();
        w.openDiagnostica();
        tapPedal1(h);
        h.advance(5000);
        h.box.setPedal1(true);  // stops the groove 5.6 s after the release was logged
        h.advance(40);
        const QStringList delays = loggedDelays(w);
        ASSERT_FALSE(delays.isEmpty());
        EXPECT_TRUE(QRegularExpression("^[0-9]{4}$").match(delays.last()).hasMatch())
            << locale.name().toStdString() << ": " << delays.last().toStdString();
    }
    QLocale::setDefault(before);
}

TEST(Diagnostica, SendReadsHexadecimalAndOctalValuesAsTheSettingsDo) {
    Harness h(Harness::Sound::Recording);
    TestLibrary::install(h);
    Audio& w = h.start();
    TestLibrary::connect(h);
    w.openDiagnostica();
    auto* text = in<QLineEdit>(w, "Text1");
    auto* send = in<QPushButton>(w, "Invio");
    const std::pair<const char*, int> good[] = {
        {"&HF", 15}, {"&H3", 3},    {"&h0F", 15},   {"&O5", 5},         {"&O17", 15},
        {"&o7", 7},  {" &HC ", 12}, {"&HFFFF", -1}, {"&HFFFFFFFF", -1}, {"&H10000", 65536}};
    for (const auto& [typed, value] : good) {
        text->setText(QString::fromLatin1(typed));
        send->click();
        EXPECT_EQ(h.box.writtenValues().last(), value) << typed;
        EXPECT_EQ(in<QLabel>(w, "Label1")->text(), "Diagnostica") << typed;
    }
    EXPECT_EQ(in<QLabel>(w, "Label2")->text(), "OK");
    // Not numbers, or more than 32 bits: nothing is sent.
    for (const char* typed : {"&H", "&HG", "&O8", "&X1", "&H-1", "&H1 2", "&H100000000"}) {
        const qsizetype writes = h.box.writes().size();
        text->setText(QString::fromLatin1(typed));
        send->click();
        EXPECT_EQ(h.box.writes().size(), writes) << typed;
        EXPECT_EQ(in<QLabel>(w, "Label1")->text(), "* NO *") << typed;
    }
}
