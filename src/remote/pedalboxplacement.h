#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>

// Where the on-screen pedal box goes. Every rectangle is a window's frame (title
// bar included) in screen coordinates; the answers are frame positions.
namespace PedalBoxPlacement {

// Space between the box and the main window.
inline constexpr int kGap = 8;

// Beside the main window (right, then left, then below, then above), wholly inside
// the available area; when none of these fits (a large scaling, a small screen),
// somewhere inside the area clear of keepClear (the song title and the lamps), covering
// as little of the main window as can be.
QPoint beside(const QRect& mainFrame, const QRect& keepClear, const QSize& boxFrame,
              const QRect& available);

// A remembered position moved as little as needed to put the whole box inside the
// available area (a screen that has since shrunk or gone).
QPoint within(const QPoint& wanted, const QSize& boxFrame, const QRect& available);

}  // namespace PedalBoxPlacement
