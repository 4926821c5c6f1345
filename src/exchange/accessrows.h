#pragma once

#include <QString>
#include <QStringList>
#include <QVector>
#include <optional>

#include "exchange/mdbreader.h"
#include "library/songrecord.h"

// The songs of the Windows version's song table: which table holds them and how
// one of its rows becomes a song of this program, field by field by name. Any
// thread.
class AccessRows {
public:
    // The song table of an open Access file: the table ListaTitoli, else the table
    // that a saved query of that name reads, else the one table with the song
    // fields. Empty with an Italian *error when there is none (or no single one).
    static QString songTable(const MdbReader& reader, QString* error);

    // Maps the song table's columns by name (any letter case). False with *error
    // when it has no Titoli column.
    bool map(const QStringList& columns, QString* error);

    // The song of one row's values (in the columns' order, a null text for a null
    // value; row counts from 1), or nothing when the row cannot be taken. A row
    // without a title is left out; a value of the wrong kind leaves its field empty.
    // Either way *problem says so ("riga 4: ..."). A value missing from the row
    // counts as null.
    std::optional<SongRecord> song(const QStringList& values, int row, QStringList* problems) const;

    // The song fields read from the Windows version's table.
    static const QStringList& fieldNames();

private:
    enum Field {
        Titoli,
        Autore,
        Pagina,
        Capotasto,
        BPM,
        Loop,
        Groove1,
        Groove2,
        Sca1,
        kFields = Sca1 + 5
    };
    int col_[kFields] = {-1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1};  // -1: no column
};
