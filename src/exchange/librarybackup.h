#pragma once

#include <QString>

// Copies of the song library. GUI thread only.
class LibraryBackup {
public:
    // Before an import writes: a consistent copy of the library at libraryPath
    // (SQLite's online backup, safe while the program reads the file), beside it,
    // named after it with the date and time of its last change. Returns the copy's
    // path, or an empty text with an Italian *error naming the file.
    static QString beforeImport(const QString& libraryPath, QString* error);
};
