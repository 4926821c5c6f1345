// A page-turner pedal (a keyboard sending two keys) as the pedal box.
#include <gtest/gtest.h>

#include <QApplication>
#include <QKeyEvent>
#include <QPushButton>

#include "app/diagnostica.h"
#include "app/impspath.h"
#include "library/datasource.h"
#include "library/songgrid.h"
#include "pedals/keypedalbox.h"
#include "platform/hirestimer.h"
#include "support/harness.h"
#include "support/testlibrary.h"

namespace {

void send(QWidget* to, QEvent::Type type, int key, bool autoRepeat = false) {
    QKeyEvent e(type, key, Qt::NoModifier, QString(), autoRepeat);
    QApplication::sendEvent(to, &e);
}

struct Stage {
    // The page-turner's keys: B (a letter, which would search) and Page Down.
    Stage() : box({Qt::Key_B, Qt::Key_PageDown}) {
        h.port = &box;
        TestLibrary::install(h);
        h.start();
        QCoreApplication::processEvents();  // the program's event loop starts
    }
    void ready() {
        TestLibrary::connect(h);
        TestLibrary::prepare(h, "Alba");
        h.advance(2500);
    }
    QWidget* grid() { return h.window().controls().DBGrid1; }
    QString current() {
        return h.window().controls().Data1->value(QStringLiteral("Titoli")).toString();
    }
    const SharedState& st() { return h.window().state(); }

    KeyPedalBox box;
    Harness h{Harness::Sound::Recording};
};

}  // namespace

TEST(KeyPedals, AutoRepeatIsNoPressOnlyTheReleaseAndTheNextPressCount) {
    Stage s;
    s.ready();
    send(s.grid(), QEvent::KeyPress, Qt::Key_PageDown);
    EXPECT_TRUE(s.st().Groove2Attivo);  // at once, no tick needed
    s.h.advance(600);
    // Held: the keyboard repeats, as release and press pairs marked as repeats.
    for (int i = 0; i < 30; ++i) {
        send(s.grid(), QEvent::KeyRelease, Qt::Key_PageDown, true);
        send(s.grid(), QEvent::KeyPress, Qt::Key_PageDown, true);
        s.h.advance(40);
    }
    EXPECT_TRUE(s.st().Groove2Attivo);
    send(s.grid(), QEvent::KeyRelease, Qt::Key_PageDown);
    s.h.advance(40);
    send(s.grid(), QEvent::KeyPress, Qt::Key_PageDown);
    EXPECT_FALSE(s.st().Groove2Attivo);
}

TEST(KeyPedals, TheTaughtKeysArePedalsInEveryWindow) {
    Stage s;
    s.ready();
    s.h.find<QPushButton>("DiagnosticaButt")->click();
    Diagnostica* panel = s.h.window().loadedDiagnostica();
    ASSERT_NE(panel, nullptr);
    send(panel, QEvent::KeyPress, Qt::Key_B);
    send(panel, QEvent::KeyRelease, Qt::Key_B);
    EXPECT_TRUE(s.st().Groove1Attivo);
    s.h.advance(600);
    s.h.window().openSettings();
    Impspath* settings = s.h.window().findChild<Impspath*>(QStringLiteral("Impspath"));
    ASSERT_NE(settings, nullptr);
    send(settings, QEvent::KeyPress, Qt::Key_B);
    send(settings, QEvent::KeyRelease, Qt::Key_B);
    EXPECT_FALSE(s.st().Groove1Attivo);
    s.h.advance(600);
    send(settings, QEvent::KeyPress, Qt::Key_PageDown);
    EXPECT_TRUE(s.st().Groove2Attivo);
}

TEST(KeyPedals, TheTaughtKeysNoLongerSearchOrMoveTheList) {
    Stage s;
    // Detached as well as connected: the keys are the pedals' only.
    for (int round = 0; round < 2; ++round) {
        TestLibrary::key(s.h, Qt::Key_F8);
        s.h.advance(2100);
        EXPECT_EQ(s.current(), QStringLiteral("Alba"));
        send(s.grid(), QEvent::KeyPress, Qt::Key_B);
        send(s.grid(), QEvent::KeyRelease, Qt::Key_B);
        send(s.grid(), QEvent::KeyPress, Qt::Key_PageDown);
        send(s.grid(), QEvent::KeyRelease, Qt::Key_PageDown);
        EXPECT_EQ(s.current(), QStringLiteral("Alba")) << "round " << round;
        // Another letter still searches.
        TestLibrary::key(s.h, Qt::Key_C);
        EXPECT_EQ(s.current(), QStringLiteral("Cielo"));
        TestLibrary::connect(s.h);
    }
}

TEST(KeyPedals, ADetachedPageTurnerStartsNothing) {
    Stage s;
    TestLibrary::prepare(s.h, "Alba");
    s.h.advance(2500);
    send(s.grid(), QEvent::KeyPress, Qt::Key_B);
    s.h.advance(40);
    EXPECT_FALSE(s.st().Groove1Attivo);
    EXPECT_TRUE(s.h.recordingGrooves()->playing.isEmpty());
}

// A release that falls inside the lock-out is taken the moment it ends, whenever the
// next tick comes: a stop pressed just after the lock-out is never lost, at the
// usual tick as at a slow one.
TEST(KeyPedals, APressJustAfterTheLockOutIsTakenWhenTheReleaseFellInsideIt) {
    for (const double tick : {40.0, 200.0}) {
        for (const double after : {1.0, 5.0, 15.0, 30.0, 120.0}) {
            Stage s;
            s.ready();
            s.h.find<HiResTimer>("HiResTimer1")->setInterval(tick);
            const double lockOut = s.h.find<HiResTimer>("TmrIstrs")->interval();
            send(s.grid(), QEvent::KeyPress, Qt::Key_B);
            EXPECT_TRUE(s.st().Groove1Attivo);
            s.h.advance(100);
            send(s.grid(), QEvent::KeyRelease, Qt::Key_B);
            s.h.advance(lockOut - 100 + after);
            send(s.grid(), QEvent::KeyPress, Qt::Key_B);
            EXPECT_FALSE(s.st().Groove1Attivo)
                << "tick " << tick << " ms, press " << after << " ms after the lock-out";
        }
    }
}
