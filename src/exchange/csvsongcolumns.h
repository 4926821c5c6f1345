#pragma once

#include <QChar>
#include <QString>
#include <QStringList>
#include <QVariant>

#include "exchange/csvformat.h"
#include "library/songrecord.h"

// The song fields as spreadsheet columns: the header names written (the library's
// own field names), the names a header may use for them (Italian and English,
// any case), and each field's value as cell text and back. An empty cell is an
// empty (null) field; an empty text is written as an empty quoted cell, and a text
// a spreadsheet would run as a formula is marked as text, so a file this program
// wrote reads back exactly. Pure functions; any thread.
namespace CsvSongColumns {

enum Column {
    Titoli,
    Autore,
    Pagina,
    Capotasto,
    BPM,
    Loop,
    Groove1,
    Groove2,
    Sca1,
    Count = Sca1 + 5
};

// The header row written: Titoli, Autore, Pagina, Capotasto, BPM, Loop, Groove1,
// Groove2, Sca1..Sca5.
QStringList header();
// The column a header name stands for, or -1 when it names no song field.
int columnOf(const QString& headerName);

// The cells of one song (with the decimal mark that goes with separator), each
// already quoted for the file.
QStringList cells(const SongRecord& song, QChar separator);

// Sets the field of column in song from a cell. False with *why (an Italian
// clause such as "Pagina \"abc\" non è un numero") when the text is of the wrong
// kind for the field.
bool take(SongRecord& song, int column, const CsvFormat::Field& cell, QString* why);

}  // namespace CsvSongColumns
