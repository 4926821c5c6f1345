#pragma once

#include <QColor>
#include <QPalette>
#include <QString>
#include <cstdint>

// Colour values as the program stores them: 0x00BBGGRR with red in the low byte;
// a value with the top bit set is a system colour whose low byte is the index of
// a desktop colour, mapped here onto the application palette.
namespace WinColor {

inline constexpr std::int64_t kRed = 255;
inline constexpr std::int64_t kDarkRed = 128;
inline constexpr std::int64_t kGreen = 32768;
inline constexpr std::int64_t kLightGreen = 49152;
inline constexpr std::int64_t kBrightGreen = 65280;
inline constexpr std::int64_t kDarkGreen = 16384;
inline constexpr std::int64_t kYellow = 65535;
inline constexpr std::int64_t kGrey = 8421504;
inline constexpr std::int64_t kBlack = 0;
// System colour 7, the menu text colour.
inline constexpr std::int64_t kMenuText = -2147483641;

// The Qt colour of a stored value (signed or unsigned 32-bit form).
QColor toQColor(std::int64_t value, const QPalette& palette);
QColor toQColor(std::int64_t value);
// The stored value of a Qt colour (never a system colour).
std::int64_t fromQColor(const QColor& color);
// True for a system colour (top bit set).
bool isSystemColor(std::int64_t value);
// The Italian name of a colour, for assistive technology ("rosso", "verde", ...).
QString italianName(std::int64_t value);

}  // namespace WinColor
