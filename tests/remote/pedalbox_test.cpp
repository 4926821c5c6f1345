#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QGuiApplication>
#include <QScreen>
#include <QSettings>
#include <QStyle>
#include <QTemporaryDir>
#include <QTest>
#include <QWindow>

#include "remote/pedalboxplacement.h"
#include "remote/pedalboxwindow.h"
#include "remote/virtualpedalbox.h"

// Where the on-screen pedal box opens: beside the main window, wholly on screen,
// clear of the main window's lamps, and where the user last left it.

namespace {

const QRect kScreen(0, 0, 1280, 900);
const QSize kBox(300, 240);

bool inside(const QPoint& p, const QSize& box, const QRect& area) {
    return area.contains(QRect(p, box));
}

}  // namespace

TEST(PedalBoxPlace, BesideTheMainWindowAndWhollyOnScreen) {
    // Room on the right: there, level with the main window.
    const QRect main(100, 50, 717, 520);
    EXPECT_EQ(PedalBoxPlacement::beside(main, QRect(), kBox, kScreen),
              QPoint(main.right() + 1 + PedalBoxPlacement::kGap, 50));
    // Against the right edge: on the left.
    const QRect right(550, 50, 717, 520);
    EXPECT_EQ(PedalBoxPlacement::beside(right, QRect(), kBox, kScreen),
              QPoint(550 - PedalBoxPlacement::kGap - kBox.width(), 50));
    // Placed at the screen's top edge before the window manager moved it (or with a
    // panel above): the title bar stays on screen.
    const QRect avail(0, 30, 1280, 870);
    const QRect top(0, 0, 717, 520);
    const QPoint p = PedalBoxPlacement::beside(top, QRect(), kBox, avail);
    EXPECT_TRUE(inside(p, kBox, avail));
    EXPECT_FALSE(QRect(p, kBox).intersects(top.adjusted(0, 30, 0, 0)));
}

TEST(PedalBoxPlace, AMainWindowFillingTheScreenKeepsItsLampsInSight) {
    // At 200 % a 1280 x 900 screen is 640 x 450 in the program's units: the main
    // window alone is wider than that.
    const QRect avail(0, 0, 640, 450);
    const QRect main(0, 0, 717, 520);
    const QRect lamps(540, 10, 170, 60);  // top right, partly off screen
    const QPoint p = PedalBoxPlacement::beside(main, lamps, kBox, avail);
    EXPECT_TRUE(inside(p, kBox, avail));
    EXPECT_FALSE(QRect(p, kBox).intersects(lamps));
    // A box larger than the screen keeps its title bar on screen.
    const QPoint big = PedalBoxPlacement::beside(main, lamps, QSize(900, 600), avail);
    EXPECT_EQ(big, avail.topLeft());
}

TEST(PedalBoxPlace, ARememberedPlaceIsPulledBackOntoTheScreen) {
    EXPECT_EQ(PedalBoxPlacement::within(QPoint(900, 300), kBox, kScreen), QPoint(900, 300));
    EXPECT_EQ(PedalBoxPlacement::within(QPoint(5000, -40), kBox, kScreen),
              QPoint(1280 - kBox.width(), 0));
    EXPECT_EQ(PedalBoxPlacement::within(QPoint(-500, 880), kBox, kScreen),
              QPoint(0, 900 - kBox.height()));
}

TEST(PedalBoxWindow, OpensWhereTheUserLeftItLastTime) {
    QTemporaryDir dir;
    const QString state = dir.filePath(QStringLiteral("QuintoraFinestre.ini"));
    const QRect avail = QGuiApplication::primaryScreen()->availableGeometry();
    QWidget main;
    main.setGeometry(avail.left(), avail.top(), 200, 150);
    main.show();
    VirtualPedalBox box;
    QPoint first;
    {
        PedalBoxWindow window(box);
        window.showBeside(main, state);
        QCoreApplication::processEvents();
        first = window.pos();
        EXPECT_TRUE(avail.contains(window.frameGeometry())) << first.x() << "," << first.y();
        window.move(avail.left() + 20, avail.top() + 30);  // the user moves it
        QCoreApplication::processEvents();
    }  // the program ends
    {
        PedalBoxWindow window(box);
        window.showBeside(main, state);
        EXPECT_EQ(window.pos(), QPoint(avail.left() + 20, avail.top() + 30));
        window.hide();
    }
    // Nothing remembered: beside the main window again.
    PedalBoxWindow fresh(box);
    fresh.showBeside(main, QString());
    EXPECT_EQ(fresh.pos(), first);
}

TEST(PedalBoxWindow, OnAScreenTooSmallForBothItStaysWholeAndAboveTheMainWindow) {
    const QRect avail = QGuiApplication::primaryScreen()->availableGeometry();
    QTemporaryDir dir;
    const QString state = dir.filePath(QStringLiteral("QuintoraFinestre.ini"));
    VirtualPedalBox box;
    QWidget main;
    main.setGeometry(avail);
    // Left at the screen's bottom edge last time; the main window's frame is not
    // known yet (the window manager tells it only after the window is shown): the
    // box still leaves room for its own title bar.
    {
        QSettings(state, QSettings::IniFormat)
            .setValue(QStringLiteral("PedalieraVirtuale/posizione"),
                      QPoint(avail.left() + 10, avail.bottom()));
        PedalBoxWindow window(box);
        window.showBeside(main, state);
        const int titleBar = window.style()->pixelMetric(QStyle::PM_TitleBarHeight);
        EXPECT_TRUE(avail.contains(QRect(window.pos(), window.size() + QSize(0, titleBar))))
            << window.pos().y();
        window.hide();
    }
    // The main window takes the whole screen: the box has to go over it, and stays
    // above it, so a click on a pedal reaches the pedal.
    main.show();
    PedalBoxWindow window(box);
    window.showBeside(main, QString());
    ASSERT_NE(window.windowHandle(), nullptr);
    EXPECT_EQ(window.windowHandle()->transientParent(), main.windowHandle());
    EXPECT_TRUE(avail.contains(window.frameGeometry()));
}

TEST(PedalBoxWindow, GoesBesideWhereTheWindowManagerPutsTheMainWindow) {
    // The main window is asked for at the top left, and put elsewhere as it is mapped.
    const QRect avail = QGuiApplication::primaryScreen()->availableGeometry();
    QWidget main;
    main.setGeometry(avail.left(), avail.top(), 300, 200);
    main.show();
    VirtualPedalBox box;
    PedalBoxWindow window(box);
    window.showBeside(main, QString());
    main.move(avail.left() + 100, avail.top() + 150);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&main));
    QCoreApplication::processEvents();
    const QRect frame = main.frameGeometry();
    EXPECT_EQ(window.pos(), QPoint(frame.right() + 1 + PedalBoxPlacement::kGap, frame.top()));
}
