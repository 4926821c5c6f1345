#pragma once

#include <QString>
#include <QStringList>
#include <array>

// What an import of an Access library did: where from, how many songs, the running
// orders, the rows it could not take (or took only in part) and why, and where the
// earlier files went. text() is the Italian report shown to the user and printed
// by the command line. Any thread.
struct AccessReport {
    QString source;                 // the Access file read
    QString version;                // e.g. "Jet 4 (Access 2000-2003)"
    QString table;                  // the song table read
    QString library;                // the new library
    QString keptOriginal;           // where the Access file now lies, when it was the library
    QString backup;                 // the copy of the library that was replaced, if any
    int rowsRead = 0;               // rows of the song table
    int songs = 0;                  // songs imported
    std::array<int, 5> perOrder{};  // songs in running orders 1..5
    QStringList problems;           // "riga 4: ..." one per row

    // The longest list of rows the report shows; the rest are counted.
    static constexpr int kShownProblems = 30;

    QString text() const;
};
