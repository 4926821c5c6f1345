#pragma once

#include <QString>

// One PDF songbook named in the settings ("Canzonieri"): its file and the PDF page
// that holds the book's printed page 1 (books rarely start on the PDF's first page).
// Plain value: any thread.
struct Songbook {
    QString path;
    int firstPage = 1;
    bool operator==(const Songbook&) const = default;
};
