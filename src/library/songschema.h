#pragma once

#include <QString>
#include <QStringList>

struct sqlite3;

// The library's schema and its migrations. Version 1: the song table `Brani` with
// its sort keys, kept by triggers, the seven record sources as views and the
// indexes that keep them fast. GUI thread only.
namespace SongSchema {

// The statements that take a file from version `from` to `from + 1`.
QStringList migration(int from);
// The song table's stored fields in order (the key field first).
const QStringList& fields();

}  // namespace SongSchema
