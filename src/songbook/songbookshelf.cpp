#include "songbook/songbookshelf.h"

std::optional<SongbookPlace> SongbookShelf::place(int printed, int book) const {
    if (printed <= 0 || books_.isEmpty()) {
        return std::nullopt;
    }
    const int index = book <= 0 ? 0 : book - 1;
    if (index >= books_.size()) {
        return SongbookPlace{{}, 0, noSuchBookText(book, int(books_.size()))};
    }
    const Songbook& chosen = books_[index];
    // Printed page 1 is on PDF page firstPage (both counted from 1); a page before the
    // PDF's start is told by the drawing as a page that is not there.
    const int first = chosen.firstPage > 0 ? chosen.firstPage : 1;
    return SongbookPlace{chosen.path, printed + first - 2, {}};
}

QString SongbookShelf::noSuchBookText(int book, int books) {
    return books == 1 ? QStringLiteral(
                            "Il brano chiede il canzoniere %1, ma nelle impostazioni "
                            "ce n'è uno solo.")
                            .arg(book)
                      : QStringLiteral(
                            "Il brano chiede il canzoniere %1, ma nelle impostazioni "
                            "ce ne sono %2.")
                            .arg(book)
                            .arg(books);
}
