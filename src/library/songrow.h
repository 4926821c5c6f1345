#pragma once

#include <QString>

#include "library/songrecord.h"

class SqlStatement;

// A whole song read from the song table: the columns to select and the record made
// of the current row of a statement that selected them. Shared by every part that
// reads songs to show or to write elsewhere (the song dialog, the exports).
namespace SongRow {

// "Titoli, Autore, ..., Temp": the columns read() expects, in its order.
QString columns();
// The song in the current row of q, which selected columns() first.
SongRecord read(const SqlStatement& q);

}  // namespace SongRow
