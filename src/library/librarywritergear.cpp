// LibraryWriter: the messages songs send to other gear, and how ports count programs.
#include "library/gearstore.h"
#include "library/librarywriter.h"
#include "library/songdatabase.h"
#include "library/sqlstatement.h"

GearMessages LibraryWriter::gearMessages(qint64 song, QString* error) const {
    return reading<GearMessages>(
        error, [&](SongDatabase& db) { return GearStore::read(db, song, error); });
}

bool LibraryWriter::songTransaction(qint64 song,
                                    const std::function<bool(SongDatabase&, QString*)>& body,
                                    QString* error) {
    return transaction(
        [&](SongDatabase& db, QString* why) {
            SqlStatement q(db.handle(), QStringLiteral("SELECT 1 FROM Brani WHERE Id = ?"));
            q.bind(1, song);
            if (!q.next()) {
                *why = q.error().isEmpty() ? QStringLiteral("il brano non c'è più.") : q.error();
                return false;
            }
            q.reset();
            return body(db, why);
        },
        error);
}

bool LibraryWriter::setGearMessages(qint64 song, const GearMessages& gear, QString* error) {
    const bool ok = songTransaction(
        song, [&](SongDatabase& db, QString* why) { return GearStore::write(db, song, gear, why); },
        error);
    if (ok) {
        emit changed(song);
    }
    return ok;
}

QSet<QString> LibraryWriter::portsCountingFromOne(QString* error) const {
    return reading<QSet<QString>>(
        error, [&](SongDatabase& db) { return GearStore::countingFromOne(db, error); });
}

bool LibraryWriter::setCountsFromOne(const QString& port, bool fromOne, QString* error) {
    return transaction(
        [&](SongDatabase& db, QString* why) {
            return GearStore::setCountsFromOne(db, port, fromOne, why);
        },
        error);
}
