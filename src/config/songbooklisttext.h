#pragma once

#include <QList>
#include <QString>
#include <optional>

#include "songbook/songbook.h"

// The PDF songbooks of the settings in one text field of the configuration file: one
// entry "<first page>:<path>" per book, in order, e.g. "1:/home/me/Libro rosso.pdf|
// 5:C:\Libri\Blu.pdf". The entries are a PortListText (parted by "|", with "%", "|",
// the double quote and control characters written as "%" and two hex digits); an
// entry splits at its first ":", since the number never holds one, so a path may hold
// anything. Books are never merged or dropped: a book's place in the list is the
// number its songs name it by. Pure functions; any thread.
namespace SongbookListText {

// The most books the settings hold, the longest path and the highest first page.
constexpr int kMaxBooks = 100;
constexpr int kMaxPathLength = 4096;
constexpr int kMaxFirstPage = 9999;
// The longest field text decode() looks at: every book at the longest path with every
// character escaped.
constexpr int kMaxTextLength = kMaxBooks * (3 * kMaxPathLength + 6);

// Whether a book can be stored: a path of 1 to kMaxPathLength characters.
bool storable(const Songbook& book);

// The field's text of books; a first page is brought into 1 to kMaxFirstPage. Books
// that are not storable are left out (the settings never hold one).
QString encode(const QList<Songbook>& books);

// The books of a field's text (empty text: none); nothing when the text is not one
// encode() writes: an entry without ":", a first page that is not 1 to 9999 in plain
// digits, an empty or overlong path, more than kMaxBooks entries or a broken escape.
std::optional<QList<Songbook>> decode(const QString& text);

}  // namespace SongbookListText
