#pragma once

#include <QSize>

// The main window's size rule, in pixels at 15 twips a pixel: once the window is
// wider than 4000 twips (so not while minimised), its width is held at 10755 twips
// (717 px) and its height kept at 7300 twips (487 px) or more.
namespace ResizeRule {

inline constexpr int kWidth = 717;
inline constexpr int kMinHeight = 487;
inline constexpr int kTwipsPerPixel = 15;

inline QSize apply(QSize size) {
    if (size.width() * kTwipsPerPixel <= 4000) {
        return size;
    }
    return {kWidth, size.height() < kMinHeight ? kMinHeight : size.height()};
}

}  // namespace ResizeRule
