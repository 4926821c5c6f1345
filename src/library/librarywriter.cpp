#include "library/librarywriter.h"

#include <sqlite3.h>

#include <QDir>

#include "library/gearstore.h"
#include "library/songdatabase.h"
#include "library/songfold.h"
#include "library/songrow.h"
#include "library/songschema.h"
#include "library/sqlstatement.h"

namespace {

// A new song, its fields bound by bindFields() in their order; no filter mark.
QString insertSong() {
    return QStringLiteral(
        "INSERT INTO Brani (Titoli, Autore, Pagina, Capotasto, BPM, Loop, Groove1, Groove2, "
        "Sca1, Sca2, Sca3, Sca4, Sca5, ChiaveTitoli, ChiaveAutore, Temp) "
        "VALUES (?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,0)");
}

QVariant keyOf(const QVariant& text) {
    if (text.isNull()) {
        return {};
    }
    return QString::fromStdString(SongFold::key(text.toString()));
}

// A running order position: 0 and empty both mean "not in it" and are stored null.
QVariant place(const QVariant& position) {
    return position.isNull() || position.toLongLong() <= 0 ? QVariant()
                                                           : QVariant(position.toLongLong());
}

void bindFields(SqlStatement& q, const SongRecord& s) {
    q.bind(1, s.Titoli);
    q.bind(2, s.Autore);
    q.bind(3, s.Pagina);
    q.bind(4, s.Capotasto);
    q.bind(5, s.BPM);
    q.bind(6, s.Loop ? -1 : 0);
    q.bind(7, s.Groove1);
    q.bind(8, s.Groove2);
    for (int i = 0; i < 5; ++i) {
        q.bind(9 + i, place(s.Sca[size_t(i)]));
    }
    q.bind(14, QString::fromStdString(SongFold::key(s.Titoli)));
    q.bind(15, keyOf(s.Autore));
}

bool validList(int list) {
    return list >= 1 && list <= 5;
}

}  // namespace

LibraryWriter::LibraryWriter(std::function<QString()> path, QObject* parent)
    : QObject(parent), path_(std::move(path)) {
    setObjectName(QStringLiteral("LibraryWriter"));
}

std::shared_ptr<SongDatabase> LibraryWriter::open(QString* error) const {
    return SongDatabase::open(path_(), error);
}

QString LibraryWriter::writeError(const QString& detail) const {
    return QStringLiteral(
               "Impossibile salvare la modifica nell'archivio dei brani \"%1\": %2\n"
               "L'archivio è rimasto com'era.")
        .arg(QDir::toNativeSeparators(path_()), detail);
}

bool LibraryWriter::transaction(const std::function<bool(SongDatabase&, QString*)>& body,
                                QString* error) {
    QString detail;
    auto db = open(&detail);
    if (!db) {
        *error = writeError(detail);
        return false;
    }
    if (!db->exec(QStringLiteral("BEGIN IMMEDIATE"), &detail)) {
        *error = writeError(detail);
        return false;
    }
    if (!body(*db, &detail) || !db->exec(QStringLiteral("COMMIT"), &detail)) {
        db->rollback();
        *error = writeError(detail);
        return false;
    }
    return true;
}

std::optional<SongRecord> LibraryWriter::song(qint64 id, QString* error) const {
    QString detail;
    auto db = open(&detail);
    if (!db) {
        *error = detail;
        return std::nullopt;
    }
    SqlStatement q(db->handle(),
                   QStringLiteral("SELECT %1 FROM Brani WHERE Id = ?").arg(SongRow::columns()));
    q.bind(1, id);
    if (!q.next()) {
        *error = db->readError(q.error().isEmpty() ? QStringLiteral("il brano non c'è più.")
                                                   : q.error());
        return std::nullopt;
    }
    SongRecord s = SongRow::read(q);
    q.reset();
    return s;
}

std::optional<qint64> LibraryWriter::addSong(const SongRecord& s, QString* error) {
    return addSong(s, {}, error);
}

std::optional<qint64> LibraryWriter::addSong(const SongRecord& s, const GearMessages& gear,
                                             QString* error) {
    qint64 id = -1;
    const bool ok = transaction(
        [&](SongDatabase& db, QString* why) {
            SqlStatement q(db.handle(), insertSong());
            bindFields(q, s);
            if (!q.run()) {
                *why = q.error();
                return false;
            }
            id = sqlite3_last_insert_rowid(db.handle());
            return gear.isEmpty() || GearStore::write(db, id, gear, why);
        },
        error);
    if (!ok) {
        return std::nullopt;
    }
    emit changed(id);
    return id;
}

bool LibraryWriter::addSongs(const QVector<SongRecord>& songs, const std::function<bool(int)>& goOn,
                             QString* error) {
    return addSongs(songs, {}, goOn, error);
}

bool LibraryWriter::addSongs(const QVector<SongRecord>& songs, const QVector<GearMessages>& gear,
                             const std::function<bool(int)>& goOn, QString* error) {
    bool cancelled = false;
    qint64 firstId = -1;
    const bool ok = transaction(
        [&](SongDatabase& db, QString* why) {
            SqlStatement q(db.handle(), insertSong());
            for (int i = 0; i < songs.size(); ++i) {
                if (i % 100 == 0 && goOn && !goOn(i)) {
                    cancelled = true;
                    return false;
                }
                bindFields(q, songs[i]);
                if (!q.run()) {
                    *why = q.error();
                    return false;
                }
                const qint64 id = sqlite3_last_insert_rowid(db.handle());
                if (firstId < 0) {
                    firstId = id;
                }
                q.reset();
                if (i < gear.size() && !gear[i].isEmpty() &&
                    !GearStore::write(db, id, gear[i], why)) {
                    return false;
                }
            }
            if (goOn && !goOn(int(songs.size()))) {
                cancelled = true;
                return false;
            }
            // These songs come with their keys; new songs take keys above every
            // song there before, so the songs noted from firstId on are these.
            return firstId < 0 || db.exec(QStringLiteral("DELETE FROM %1 WHERE Id >= %2")
                                              .arg(SongSchema::kKeysToRemake)
                                              .arg(firstId),
                                          why);
        },
        error);
    if (cancelled) {
        error->clear();
    }
    if (ok) {
        emit changed(-1);
    }
    return ok;
}

bool LibraryWriter::updateSong(qint64 id, const SongRecord& s, QString* error) {
    return storeSong(id, s, std::nullopt, error);
}

bool LibraryWriter::updateSong(qint64 id, const SongRecord& s, const GearMessages& gear,
                               QString* error) {
    return storeSong(id, s, gear, error);
}

bool LibraryWriter::storeSong(qint64 id, const SongRecord& s,
                              const std::optional<GearMessages>& gear, QString* error) {
    const bool ok = transaction(
        [&](SongDatabase& db, QString* why) {
            SqlStatement q(db.handle(),
                           QStringLiteral("UPDATE Brani SET Titoli = ?, Autore = ?, Pagina = ?, "
                                          "Capotasto = ?, BPM = ?, Loop = ?, Groove1 = ?, "
                                          "Groove2 = ?, Sca1 = ?, Sca2 = ?, Sca3 = ?, Sca4 = ?, "
                                          "Sca5 = ?, ChiaveTitoli = ?, ChiaveAutore = ? "
                                          "WHERE Id = ?"));
            bindFields(q, s);
            q.bind(16, id);
            if (!q.run()) {
                *why = q.error();
                return false;
            }
            if (sqlite3_changes(db.handle()) == 0) {
                *why = QStringLiteral("il brano non c'è più.");
                return false;
            }
            return !gear || GearStore::write(db, id, *gear, why);
        },
        error);
    if (ok) {
        emit changed(id);
    }
    return ok;
}

bool LibraryWriter::removeSong(qint64 id, QString* error) {
    const bool ok = transaction(
        [&](SongDatabase& db, QString* why) {
            SqlStatement q(db.handle(), QStringLiteral("DELETE FROM Brani WHERE Id = ?"));
            q.bind(1, id);
            if (!q.run()) {
                *why = q.error();
                return false;
            }
            return true;
        },
        error);
    if (ok) {
        emit changed(id);
    }
    return ok;
}

QVector<qint64> LibraryWriter::runningOrder(int list, QString* error) const {
    QVector<qint64> ids;
    for (const Placed& p : places(list, error)) {
        ids << p.id;
    }
    return ids;
}

QVector<LibraryWriter::Placed> LibraryWriter::places(int list, QString* error) const {
    QVector<Placed> out;
    QString detail;
    auto db = validList(list) ? open(&detail) : nullptr;
    if (!db) {
        *error = detail;
        return out;
    }
    SqlStatement q(db->handle(), QStringLiteral("SELECT Id, Sca%1 FROM Brani WHERE Sca%1 > 0 "
                                                "ORDER BY Sca%1, ChiaveTitoli, Id")
                                     .arg(list));
    while (q.next()) {
        out.push_back(Placed{q.integer(0), q.integer(1)});
    }
    if (!q.error().isEmpty()) {
        *error = db->readError(q.error());
        out.clear();
    }
    return out;
}

bool LibraryWriter::setRunningOrder(int list, const QVector<qint64>& ids, QString* error) {
    if (!validList(list)) {
        *error = writeError(QStringLiteral("scaletta inesistente."));
        return false;
    }
    const bool ok = transaction(
        [&](SongDatabase& db, QString* why) {
            if (!db.exec(QStringLiteral("UPDATE Brani SET Sca%1 = NULL WHERE Sca%1 IS NOT NULL")
                             .arg(list),
                         why)) {
                return false;
            }
            SqlStatement q(db.handle(),
                           QStringLiteral("UPDATE Brani SET Sca%1 = ? WHERE Id = ?").arg(list));
            for (int i = 0; i < ids.size(); ++i) {
                q.bind(1, qlonglong(i + 1));
                q.bind(2, ids[i]);
                if (!q.run()) {
                    *why = q.error();
                    return false;
                }
                q.reset();
            }
            return true;
        },
        error);
    if (ok) {
        emit changed(-1);
    }
    return ok;
}

namespace {

const QString kSummaryColumns =
    QStringLiteral("Id, Titoli, Autore, BPM, Loop, ChiaveTitoli, Sca1, Sca2, Sca3, Sca4, Sca5");

LibraryWriter::Summary summaryOf(const SqlStatement& q) {
    LibraryWriter::Summary s{q.integer(0),
                             q.value(1).toString(),
                             q.value(2).toString(),
                             q.value(3),
                             q.integer(4) != 0,
                             q.value(5).toString().toUtf8(),
                             {}};
    for (int i = 0; i < 5; ++i) {
        s.places[size_t(i)] = std::max<qint64>(0, q.integer(6 + i));
    }
    return s;
}

}  // namespace

QVector<LibraryWriter::Summary> LibraryWriter::summaries(QString* error) const {
    QVector<Summary> out;
    QString detail;
    auto db = open(&detail);
    if (!db) {
        *error = detail;
        return out;
    }
    SqlStatement q(
        db->handle(),
        QStringLiteral("SELECT %1 FROM Brani ORDER BY ChiaveTitoli, Id").arg(kSummaryColumns));
    while (q.next()) {
        out.push_back(summaryOf(q));
    }
    if (!q.error().isEmpty()) {
        *error = db->readError(q.error());
        out.clear();
    }
    return out;
}

std::optional<LibraryWriter::Summary> LibraryWriter::summary(qint64 id, QString* error) const {
    QString detail;
    auto db = open(&detail);
    if (!db) {
        *error = detail;
        return std::nullopt;
    }
    SqlStatement q(db->handle(),
                   QStringLiteral("SELECT %1 FROM Brani WHERE Id = ?").arg(kSummaryColumns));
    q.bind(1, id);
    if (q.next()) {
        return summaryOf(q);
    }
    if (!q.error().isEmpty()) {
        *error = db->readError(q.error());
    }
    return std::nullopt;
}
