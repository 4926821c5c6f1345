#pragma once

#include <QList>
#include <QString>
#include <optional>

#include "songbook/songbook.h"

// Where a song's page is: the PDF and its page counted from 0, or why it cannot be
// shown.
struct SongbookPlace {
    QString path;
    int page = 0;
    QString error;
};

// The books of the settings, and the page a song's `Pagina` points to: in the first
// book, unless the song names another (book counted from 1).
class SongbookShelf {
public:
    SongbookShelf() = default;
    explicit SongbookShelf(QList<Songbook> books) : books_(std::move(books)) {}

    const QList<Songbook>& books() const { return books_; }

    // The place of printed page `printed` of book `book` (0: the first); nothing when
    // the song has no page (0 or less) or there is no book at all.
    std::optional<SongbookPlace> place(int printed, int book = 0) const;

    static QString noSuchBookText(int book, int books);

private:
    QList<Songbook> books_;
};
