#pragma once

#include <QString>

// Consistent copies of the song library, made with the database engine's online
// backup: the copy is whole and self-consistent even while the program (or another
// one) reads the library. GUI thread, or any thread that owns no connection to the
// library it copies.
namespace LibraryBackup {

// Copies the library at libraryPath to target. The copy is written beside target
// under a temporary name and takes target's name only once it is whole, so a
// failure (disk full, library locked) leaves any file already at target as it was.
// False with an Italian text naming the file in *error.
bool copy(const QString& libraryPath, const QString& target, QString* error);

// The copy made before an import writes into the library: "Songs-copia.mdb" beside
// the library, or "Songs-copia-2.mdb", "-3", ... when that name is taken (an
// earlier copy is never replaced). Returns the copy's path; an empty text when
// there is nothing to copy (no library yet: *error stays empty) or when the copy
// failed (with *error).
QString beforeImport(const QString& libraryPath, QString* error);

// The name the next automatic copy of libraryPath would get.
QString nextCopyPath(const QString& libraryPath);

}  // namespace LibraryBackup
