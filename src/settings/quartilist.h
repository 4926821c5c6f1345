#pragma once

#include <QStringList>
#include <array>

// The beats list `Quarti`: its seven entry texts, each with a blank before and
// after, and the values of the shared `Quarti` they stand for (-1 a fixed lamp).
namespace QuartiList {

inline constexpr std::array<int, 7> kValues = {-1, 4, 6, 8, 10, 12, 16};

inline QStringList texts() {
    return {QStringLiteral(" Fisso "), QStringLiteral(" 4 "),  QStringLiteral(" 6 "),
            QStringLiteral(" 8 "),     QStringLiteral(" 10 "), QStringLiteral(" 12 "),
            QStringLiteral(" 16 ")};
}

// The entry of a value, -1 when no entry stands for it.
inline int indexOf(int value) {
    for (int i = 0; i < int(kValues.size()); ++i) {
        if (kValues[i] == value) {
            return i;
        }
    }
    return -1;
}

// The value of an entry text, or nothing when the text is none of the seven.
inline bool valueOf(const QString& text, int* value) {
    const int i = int(texts().indexOf(text));
    if (i < 0) {
        return false;
    }
    *value = kValues[std::size_t(i)];
    return true;
}

}  // namespace QuartiList
