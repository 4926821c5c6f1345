#include "config/songbooklisttext.h"

#include <algorithm>

#include "config/portlisttext.h"

namespace SongbookListText {

namespace {

const QChar kAfterPage(u':');

// A first page as encode() writes it: plain digits, 1 to kMaxFirstPage.
std::optional<int> firstPageOf(QStringView digits) {
    if (digits.isEmpty() || digits.size() > 4) {
        return std::nullopt;
    }
    int page = 0;
    for (const QChar c : digits) {
        if (c < u'0' || c > u'9') {
            return std::nullopt;
        }
        page = page * 10 + (c.unicode() - u'0');
    }
    return page >= 1 && page <= kMaxFirstPage ? std::optional<int>(page) : std::nullopt;
}

}  // namespace

bool storable(const Songbook& book) {
    return !book.path.isEmpty() && book.path.size() <= kMaxPathLength;
}

QString encode(const QList<Songbook>& books) {
    // Each entry is encoded alone, so that two equal books stay two books.
    QStringList parts;
    for (const Songbook& book : books) {
        if (!storable(book)) {
            continue;
        }
        const int first = std::clamp(book.firstPage, 1, kMaxFirstPage);
        parts << PortListText::encode({QString::number(first) + kAfterPage + book.path});
    }
    return parts.join(u'|');
}

std::optional<QList<Songbook>> decode(const QString& text) {
    if (text.size() > kMaxTextLength) {
        return std::nullopt;
    }
    const std::optional<QStringList> entries = PortListText::decode(text);
    if (!entries || entries->size() > kMaxBooks) {
        return std::nullopt;
    }
    QList<Songbook> books;
    for (const QString& entry : *entries) {
        const qsizetype colon = entry.indexOf(kAfterPage);
        if (colon < 0) {
            return std::nullopt;
        }
        const std::optional<int> first = firstPageOf(QStringView(entry).left(colon));
        const Songbook book{entry.mid(colon + 1), first.value_or(0)};
        if (!first || !storable(book)) {
            return std::nullopt;
        }
        books << book;
    }
    return books;
}

}  // namespace SongbookListText
