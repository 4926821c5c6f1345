#pragma once

#include <QString>

class SongDatabase;

// Which of the settings' PDF songbooks a song's page (`Pagina`) refers to, as the
// library file keeps it: the table `CanzoniereBrano`, one row per song that names a
// book other than the first (the book's place in the settings, counted from 1). No
// row, or book 1, is the first book. A row another SQLite client wrote badly (not a
// whole number from 1 up) counts as none; a file of an earlier version has none. The
// writes run inside the caller's transaction (LibraryWriter). One thread at a time.
namespace SongbookStore {

// The book the song names, or 0 when it names none (then with *error when the file
// cannot be read).
int book(SongDatabase& db, qint64 song, QString* error);

// The song's book becomes book; 1 or less removes the song's row (the first book).
// False with *why on failure.
bool setBook(SongDatabase& db, qint64 song, int book, QString* why);

}  // namespace SongbookStore
