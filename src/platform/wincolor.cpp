#include "platform/wincolor.h"

#include <QApplication>
#include <array>

namespace WinColor {

namespace {

std::uint32_t bits(std::int64_t value) {
    return static_cast<std::uint32_t>(value);
}

// Desktop colour index -> palette role, for the indices the old desktop defined.
QPalette::ColorRole roleOf(unsigned index) {
    static constexpr std::array<QPalette::ColorRole, 31> roles = {
        QPalette::Mid,              // 0 scroll bar
        QPalette::Dark,             // 1 desktop
        QPalette::Highlight,        // 2 active caption
        QPalette::Mid,              // 3 inactive caption
        QPalette::Window,           // 4 menu
        QPalette::Base,             // 5 window
        QPalette::Shadow,           // 6 window frame
        QPalette::WindowText,       // 7 menu text
        QPalette::Text,             // 8 window text
        QPalette::HighlightedText,  // 9 caption text
        QPalette::Button,           // 10 active border
        QPalette::Button,           // 11 inactive border
        QPalette::Dark,             // 12 application workspace
        QPalette::Highlight,        // 13 highlight
        QPalette::HighlightedText,  // 14 highlight text
        QPalette::Button,           // 15 button face
        QPalette::Mid,              // 16 button shadow
        QPalette::PlaceholderText,  // 17 grey text
        QPalette::ButtonText,       // 18 button text
        QPalette::WindowText,       // 19 inactive caption text
        QPalette::Light,            // 20 button highlight
        QPalette::Shadow,           // 21 3-D dark shadow
        QPalette::Midlight,         // 22 3-D light
        QPalette::ToolTipText,      // 23 tool tip text
        QPalette::ToolTipBase,      // 24 tool tip back
        QPalette::Button,           // 25 (unused)
        QPalette::Link,             // 26 hot light
        QPalette::Highlight,        // 27 active caption gradient
        QPalette::Mid,              // 28 inactive caption gradient
        QPalette::Highlight,        // 29 menu highlight
        QPalette::Window,           // 30 menu bar
    };
    return index < roles.size() ? roles[index] : QPalette::WindowText;
}

}  // namespace

bool isSystemColor(std::int64_t value) {
    return (bits(value) & 0x80000000u) != 0;
}

QColor toQColor(std::int64_t value, const QPalette& palette) {
    const std::uint32_t v = bits(value);
    if (isSystemColor(value)) {
        return palette.color(QPalette::Active, roleOf(v & 0xFFu));
    }
    return QColor(int(v & 0xFFu), int((v >> 8) & 0xFFu), int((v >> 16) & 0xFFu));
}

QColor toQColor(std::int64_t value) {
    return toQColor(value, QApplication::palette());
}

std::int64_t fromQColor(const QColor& c) {
    return std::int64_t(c.red()) | (std::int64_t(c.green()) << 8) | (std::int64_t(c.blue()) << 16);
}

QString italianName(std::int64_t value) {
    switch (value) {
        case kRed:
            return QStringLiteral("rosso");
        case kDarkRed:
            return QStringLiteral("rosso scuro");
        case kGreen:
        case kLightGreen:
            return QStringLiteral("verde");
        case kBrightGreen:
            return QStringLiteral("verde chiaro");
        case kDarkGreen:
            return QStringLiteral("verde scuro");
        case kYellow:
            return QStringLiteral("giallo");
        case kGrey:
            return QStringLiteral("grigio");
        case kBlack:
            return QStringLiteral("nero");
        case 16777215:
            return QStringLiteral("bianco");
        case 16512:
            return QStringLiteral("marrone");
        case 8438015:
            return QStringLiteral("arancione chiaro");
        case 16576:
            return QStringLiteral("arancione scuro");
        default:
            break;
    }
    if (isSystemColor(value)) {
        return QStringLiteral("colore di sistema");
    }
    const QColor c = toQColor(value, QPalette());
    if (c.saturation() < 40) {
        return c.value() < 60
                   ? QStringLiteral("nero")
                   : (c.value() > 200 ? QStringLiteral("bianco") : QStringLiteral("grigio"));
    }
    const int h = c.hue();
    if (h < 20 || h >= 340)
        return QStringLiteral("rosso");
    if (h < 45)
        return QStringLiteral("arancione");
    if (h < 70)
        return QStringLiteral("giallo");
    if (h < 170)
        return QStringLiteral("verde");
    if (h < 260)
        return QStringLiteral("blu");
    return QStringLiteral("viola");
}

}  // namespace WinColor
