#pragma once

#include <QString>

// Creating a new, empty song library. GUI thread only.
namespace NewLibrary {

// Makes an empty `Songs.mdb` with the current schema in folder (a path ending in
// the separator). Never replaces a library that is there (in any letter case).
// Returns an empty text on success, otherwise an Italian text naming the file.
QString create(const QString& folder);

}  // namespace NewLibrary
