#include <gtest/gtest.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QProcess>
#include <QRegularExpression>
#include <QTest>

#include "app/keyboard.h"
#include "support/harness.h"
#include "support/layoutkeys.h"
#include "support/testlibrary.h"

// The key table as a real keyboard sends it: the program's window on an X display
// (Xvfb) with the keyboard layout set by setxkbmap, keys typed with xdotool. Run by
// run_under_x.sh, which sets the layout before each layout's tests start.

namespace {

QString run(const QString& program, const QStringList& args) {
    QProcess p;
    p.start(program, args);
    if (!p.waitForFinished(20000) || p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0) {
        ADD_FAILURE() << program.toStdString() << " " << args.join(' ').toStdString()
                      << " failed: " << p.readAllStandardError().toStdString();
        return {};
    }
    return QString::fromLocal8Bit(p.readAllStandardOutput());
}

// Processes the display's events until done() holds; false if it never does.
template <class Done>
bool waitFor(Done done) {
    QElapsedTimer t;
    t.start();
    while (!done() && t.elapsed() < 10000) {
        QTest::qWait(5);
    }
    return done();
}

void checkLayoutUnderX(const QString& layout) {
    if (QGuiApplication::platformName() != QLatin1String("xcb")) {
        GTEST_SKIP() << "needs an X display (tests/xkeys/run_under_x.sh starts one)";
    }
    const QString query = run(QStringLiteral("setxkbmap"), {QStringLiteral("-query")});
    if (!query.contains(QRegularExpression("layout:\\s+" + layout + "\\b"))) {
        GTEST_SKIP() << "SKIPPED: the display did not take the " << layout.toStdString()
                     << " layout; setxkbmap left it at:\n"
                     << query.toStdString();
    }
    Harness h(Harness::Sound::Recording);
    TestLibrary::ready(h, "Alba");
    Audio& w = h.window();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
    const QString window = QString::number(w.winId());
    QString marker;
    for (const LayoutKeys::Case& c : LayoutKeys::cases(layout)) {
        if (!c.xdotool) {
            continue;
        }
        LayoutKeys::settle(h);
        // The key, then a letter of the title search as a marker, a fresh search
        // each time and another letter than last time: once the search reads that
        // letter, the key before it has been handled too.
        marker = marker == QLatin1String("X") ? QStringLiteral("Y") : QStringLiteral("X");
        h.advance(2100);
        run(QStringLiteral("xdotool"), {QStringLiteral("key"), QStringLiteral("--window"), window,
                                        QString::fromLatin1(c.xdotool), marker.toLower()});
        ASSERT_TRUE(waitFor([&] { return w.keyboard().Ricerca() == marker; }))
            << "the keys never reached the program";
        EXPECT_STREQ(LayoutKeys::name(LayoutKeys::seen(h)), LayoutKeys::name(c.effect))
            << layout.toStdString() << " keyboard, " << c.what << " (xdotool " << c.xdotool << ")";
    }
}

}  // namespace

TEST(XKeysIt, ItalianLayoutAsTypedOnTheDisplay) {
    checkLayoutUnderX(QStringLiteral("it"));
}

TEST(XKeysUs, UsLayoutAsTypedOnTheDisplay) {
    checkLayoutUnderX(QStringLiteral("us"));
}
