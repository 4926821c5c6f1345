#include <gtest/gtest.h>
#include <QCoreApplication>
#include "support/harness.h"
TEST(Shot, Grab) {
    Harness h;
    Audio& w = h.start();
    w.show();
    QCoreApplication::processEvents();
    w.grab().save("/tmp/audio.png");
}
