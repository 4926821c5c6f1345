#pragma once

#include <QString>

#include "library/songdatabase.h"
#include "library/sqlstatement.h"

// Runs sql on the library (with song bound to its one parameter when not negative)
// and hands each row to row; false with *error (the file's read error) when the file
// cannot be read. A file older than version (read as it is) has no rows.
template <class Row>
bool eachRow(SongDatabase& db, int version, const QString& sql, qint64 song, QString* error,
             Row row) {
    if (db.schemaVersion() < version) {
        return true;
    }
    SqlStatement q(db.handle(), sql);
    if (song >= 0) {
        q.bind(1, song);
    }
    while (q.next()) {
        row(q);
    }
    if (!q.error().isEmpty()) {
        *error = db.readError(q.error());
        return false;
    }
    return true;
}
