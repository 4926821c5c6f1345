#include "library/songfold.h"

#include <QChar>
#include <array>
#include <memory>

namespace {

constexpr char16_t kDrop = 0xFFFF;  // combining marks are left out of the key

// One entry per character of the basic plane: its base letter, folded to lower case.
std::unique_ptr<std::array<char16_t, 0x10000>> buildTable() {
    auto table = std::make_unique<std::array<char16_t, 0x10000>>();
    for (char32_t c = 0; c < 0x10000; ++c) {
        char16_t base = char16_t(c);
        for (int depth = 0; depth < 4; ++depth) {
            const QChar ch(base);
            if (ch.decompositionTag() != QChar::Canonical) {
                break;
            }
            const QString parts = ch.decomposition();
            if (parts.isEmpty() || parts.at(0).isSurrogate()) {
                break;
            }
            base = parts.at(0).unicode();
        }
        const QChar::Category category = QChar(base).category();
        if (c >= 0x80 &&
            (category == QChar::Mark_NonSpacing || category == QChar::Mark_Enclosing)) {
            (*table)[c] = kDrop;
            continue;
        }
        const char16_t folded = QChar(base).toCaseFolded().unicode();
        (*table)[c] = QChar::isSurrogate(folded) ? char16_t(c) : folded;
    }
    return table;
}

const std::array<char16_t, 0x10000>& table() {
    static const auto instance = buildTable();
    return *instance;
}

void appendUtf8(std::string& out, char32_t c) {
    if (c < 0x80) {
        out.push_back(char(c));
    } else if (c < 0x800) {
        out.push_back(char(0xC0 | (c >> 6)));
        out.push_back(char(0x80 | (c & 0x3F)));
    } else if (c < 0x10000) {
        out.push_back(char(0xE0 | (c >> 12)));
        out.push_back(char(0x80 | ((c >> 6) & 0x3F)));
        out.push_back(char(0x80 | (c & 0x3F)));
    } else {
        out.push_back(char(0xF0 | (c >> 18)));
        out.push_back(char(0x80 | ((c >> 12) & 0x3F)));
        out.push_back(char(0x80 | ((c >> 6) & 0x3F)));
        out.push_back(char(0x80 | (c & 0x3F)));
    }
}

void appendFolded(std::string& out, char32_t c) {
    if (c < 0x80) {
        out.push_back(char(c >= 'A' && c <= 'Z' ? c + 32 : c));
        return;
    }
    if (c < 0x10000) {
        const char16_t folded = table()[c];
        if (folded != kDrop) {
            appendUtf8(out, folded);
        }
        return;
    }
    appendUtf8(out, QChar::toCaseFolded(c));
}

}  // namespace

namespace SongFold {

std::string key(std::string_view s) {
    std::string out;
    out.reserve(s.size());
    const auto* p = reinterpret_cast<const unsigned char*>(s.data());
    const auto* end = p + s.size();
    while (p < end) {
        const unsigned char b = *p;
        if (b < 0x80) {
            out.push_back(char(b >= 'A' && b <= 'Z' ? b + 32 : b));
            ++p;
            continue;
        }
        int extra = b >= 0xF0 ? 3 : b >= 0xE0 ? 2 : b >= 0xC0 ? 1 : 0;
        char32_t c = extra == 3 ? b & 0x07 : extra == 2 ? b & 0x0F : b & 0x1F;
        ++p;
        if (extra == 0 || end - p < extra) {
            appendUtf8(out, 0xFFFD);  // a stray byte: keep a place for it
            continue;
        }
        for (int i = 0; i < extra; ++i) {
            c = (c << 6) | (p[i] & 0x3F);
        }
        p += extra;
        appendFolded(out, c);
    }
    return out;
}

std::string key(QStringView text) {
    const QByteArray utf8 = text.toUtf8();
    return key(std::string_view(utf8.constData(), size_t(utf8.size())));
}

int compare(std::string_view a, std::string_view b) {
    const std::string ka = key(a);
    const std::string kb = key(b);
    return ka.compare(kb);
}

}  // namespace SongFold
