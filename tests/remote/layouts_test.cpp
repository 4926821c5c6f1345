#include <gtest/gtest.h>

#include <QApplication>
#include <QKeyEvent>

#include "library/songgrid.h"
#include "support/harness.h"
#include "support/layoutkeys.h"
#include "support/testlibrary.h"

// The key table on real keyboards: each key arrives as X11 delivers it on that
// layout (keycode, Qt key, modifiers and text), as a press and a release.

namespace {

void type(Harness& h, const LayoutKeys::Case& c) {
    QWidget* grid = h.window().controls().DBGrid1;
    const quint32 xState =
        (c.modifiers & Qt::ShiftModifier ? 1u : 0u) | (c.modifiers & Qt::ControlModifier ? 4u : 0u);
    const QString text = QString::fromUtf8(c.text);
    QKeyEvent down(QEvent::KeyPress, c.qtKey, c.modifiers, c.keycode, 0, xState, text);
    QApplication::sendEvent(grid, &down);
    QKeyEvent up(QEvent::KeyRelease, c.qtKey, c.modifiers, c.keycode, 0, xState, text);
    QApplication::sendEvent(grid, &up);
}

void checkLayout(const QString& layout) {
    Harness h(Harness::Sound::Recording);
    TestLibrary::ready(h, "Alba");
    const auto cases = LayoutKeys::cases(layout);
    ASSERT_FALSE(cases.empty());
    for (const LayoutKeys::Case& c : cases) {
        LayoutKeys::settle(h);
        type(h, c);
        EXPECT_STREQ(LayoutKeys::name(LayoutKeys::seen(h)), LayoutKeys::name(c.effect))
            << layout.toStdString() << " keyboard, " << c.what;
    }
}

}  // namespace

TEST(KeyLayouts, ItalianKeyboardReachesEveryVolumeFilterAndCountInKey) {
    checkLayout(QStringLiteral("it"));
}

TEST(KeyLayouts, UsKeyboardReachesTheSameKeysAndNoOthers) {
    checkLayout(QStringLiteral("us"));
}
