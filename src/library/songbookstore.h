#pragma once

#include <QString>

class SongDatabase;

// Stand-in until the library keeps each song's book.
namespace SongbookStore {
int book(SongDatabase& db, qint64 song, QString* error);
}
