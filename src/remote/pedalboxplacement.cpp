#include "remote/pedalboxplacement.h"

#include <algorithm>
#include <array>
#include <limits>

namespace PedalBoxPlacement {

namespace {

qint64 area(const QRect& r) {
    return r.isValid() ? qint64(r.width()) * r.height() : 0;
}

}  // namespace

QPoint within(const QPoint& wanted, const QSize& boxFrame, const QRect& available) {
    // A box larger than the area keeps its top-left corner (and title bar) on screen.
    const int x =
        std::max(available.left(),
                 std::min(wanted.x(), available.left() + available.width() - boxFrame.width()));
    const int y =
        std::max(available.top(),
                 std::min(wanted.y(), available.top() + available.height() - boxFrame.height()));
    return {x, y};
}

QPoint beside(const QRect& mainFrame, const QRect& keepClear, const QSize& boxFrame,
              const QRect& available) {
    const std::array<QPoint, 4> sides = {
        QPoint(mainFrame.right() + 1 + kGap, mainFrame.top()),
        QPoint(mainFrame.left() - kGap - boxFrame.width(), mainFrame.top()),
        QPoint(mainFrame.left(), mainFrame.bottom() + 1 + kGap),
        QPoint(mainFrame.left(), mainFrame.top() - kGap - boxFrame.height()),
    };
    for (const QPoint& p : sides) {
        if (available.contains(QRect(p, boxFrame))) {
            return p;
        }
    }
    // No room beside it: the sides pulled onto the screen and the screen's corners,
    // the best of them first clear of the lamps, then covering the least.
    std::array<QPoint, 8> inside{};
    for (std::size_t i = 0; i < sides.size(); ++i) {
        inside[i] = within(sides[i], boxFrame, available);
    }
    inside[4] = within(available.topLeft(), boxFrame, available);
    inside[5] = within(QPoint(available.right(), available.top()), boxFrame, available);
    inside[6] = within(QPoint(available.left(), available.bottom()), boxFrame, available);
    inside[7] = within(available.bottomRight(), boxFrame, available);
    QPoint best = inside[0];
    qint64 bestLamps = std::numeric_limits<qint64>::max();
    qint64 bestCover = std::numeric_limits<qint64>::max();
    for (const QPoint& p : inside) {
        const QRect r(p, boxFrame);
        const qint64 lamps = area(r.intersected(keepClear));
        const qint64 cover = area(r.intersected(mainFrame));
        if (lamps < bestLamps || (lamps == bestLamps && cover < bestCover)) {
            best = p;
            bestLamps = lamps;
            bestCover = cover;
        }
    }
    return best;
}

}  // namespace PedalBoxPlacement
