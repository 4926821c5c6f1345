#include "library/songbookstore.h"

int SongbookStore::book(SongDatabase&, qint64, QString*) {
    return 0;
}
