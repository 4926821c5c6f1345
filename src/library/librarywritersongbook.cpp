// LibraryWriter: which songbook each song's page refers to.
#include <QStringList>

#include "library/eachrow.h"
#include "library/librarywriter.h"
#include "library/songbookstore.h"
#include "library/songdatabase.h"
#include "library/sqlstatement.h"

namespace {

// The songs' books (see SongbookStore), kept from version 5 on.
const QString kSongBooks = QStringLiteral("CanzoniereBrano");
constexpr int kSongBooksVersion = 5;

// "2, 5, 7": the books as SQL numbers.
QString listOf(const QList<int>& books) {
    QStringList out;
    for (const int b : books) {
        out << QString::number(b);
    }
    return out.join(QStringLiteral(", "));
}

}  // namespace

int LibraryWriter::songBook(qint64 song, QString* error) const {
    return reading<int>(error,
                        [&](SongDatabase& db) { return SongbookStore::book(db, song, error); });
}

bool LibraryWriter::setSongBook(qint64 song, int book, QString* error) {
    const bool ok = songTransaction(
        song,
        [&](SongDatabase& db, QString* why) { return SongbookStore::setBook(db, song, book, why); },
        error);
    if (ok) {
        emit songBookChanged(song);
    }
    return ok;
}

bool LibraryWriter::moveSongBooks(const QHash<int, int>& moves, int* defaulted, QString* error) {
    *defaulted = 0;
    QList<int> moved;    // to another place from 2 on
    QList<int> toFirst;  // now the first book, or taken out
    QList<int> gone;     // taken out
    QString cases;
    for (auto it = moves.begin(); it != moves.end(); ++it) {
        if (it.key() < 2 || it.key() == it.value()) {
            continue;  // the first book's songs have no row; a book in its place stays
        }
        if (it.value() >= 2) {
            moved << it.key();
            cases += QStringLiteral(" WHEN %1 THEN %2").arg(it.key()).arg(it.value());
        } else {
            toFirst << it.key();
            if (it.value() <= 0) {
                gone << it.key();
            }
        }
    }
    if (moved.isEmpty() && toFirst.isEmpty()) {
        return true;
    }
    // Read first: a library whose songs name none of these books is not written, so
    // one that cannot be written (or is of an earlier version) holds nothing up.
    QString detail;
    const qint64 named = reading<qint64>(&detail, [&](SongDatabase& db) {
        qint64 n = 0;
        eachRow(db, kSongBooksVersion,
                QStringLiteral("SELECT count(*) FROM %1 WHERE Canzoniere IN (%2)")
                    .arg(kSongBooks, listOf(moved + toFirst)),
                -1, &detail, [&](const SqlStatement& q) { n = q.integer(0); });
        return n;
    });
    if (!detail.isEmpty()) {
        *error = detail;
        return false;
    }
    if (named == 0) {
        return true;
    }
    qint64 lost = 0;
    const bool ok = transaction(
        [&](SongDatabase& db, QString* why) {
            if (!gone.isEmpty()) {
                SqlStatement q(db.handle(),
                               QStringLiteral("SELECT count(*) FROM %1 WHERE Canzoniere IN (%2)")
                                   .arg(kSongBooks, listOf(gone)));
                if (!q.next()) {
                    *why = q.error();
                    return false;
                }
                lost = q.integer(0);
            }
            return (toFirst.isEmpty() ||
                    db.exec(QStringLiteral("DELETE FROM %1 WHERE Canzoniere IN (%2)")
                                .arg(kSongBooks, listOf(toFirst)),
                            why)) &&
                   (moved.isEmpty() ||
                    db.exec(QStringLiteral("UPDATE %1 SET Canzoniere = CASE Canzoniere%2 END "
                                           "WHERE Canzoniere IN (%3)")
                                .arg(kSongBooks, cases, listOf(moved)),
                            why));
        },
        error);
    if (ok) {
        *defaulted = int(lost);
        emit songBookChanged(-1);
    }
    return ok;
}
