#include "library/loudnessstore.h"

#include <cmath>
#include <optional>

#include "library/eachrow.h"
#include "library/songdatabase.h"
#include "library/sqlstatement.h"

namespace LoudnessStore {

namespace {

// A finite real from a column another client may have filled with anything.
std::optional<double> real(const SqlStatement& q, int column) {
    const QVariant v = q.value(column);
    if (v.typeId() != QMetaType::Double && v.typeId() != QMetaType::LongLong) {
        return std::nullopt;
    }
    const double d = v.toDouble();
    return std::isfinite(d) && std::abs(d) < 1000 ? std::optional<double>(d) : std::nullopt;
}

template <class Row>
bool each(SongDatabase& db, const QString& sql, qint64 song, QString* error, Row row) {
    return eachRow(db, 4, sql, song, error, row);
}

}  // namespace

QHash<QString, FileLoudness> files(SongDatabase& db, QString* error) {
    QHash<QString, FileLoudness> out;
    const bool ok =
        each(db,
             QStringLiteral("SELECT Percorso, Dimensione, Modificato, Lufs, Picco, Motivo FROM %1")
                 .arg(kFiles),
             -1, error, [&](const SqlStatement& q) {
                 FileLoudness f;
                 f.path = q.value(0).toString();
                 f.size = q.integer(1);
                 f.modifiedMs = q.integer(2);
                 const auto lufs = real(q, 3);
                 const auto peak = real(q, 4);
                 f.measured = lufs && peak;
                 f.lufs = lufs.value_or(0);
                 f.peakDb = peak.value_or(0);
                 f.why = q.value(5).toString();
                 if (f.path.isEmpty() || (!f.measured && f.why.isEmpty())) {
                     return;  // not as this program writes it: measured again
                 }
                 out.insert(f.path, f);
             });
    return ok ? out : QHash<QString, FileLoudness>();
}

QHash<qint64, double> trims(SongDatabase& db, QString* error) {
    QHash<qint64, double> out;
    const bool ok = each(
        db, QStringLiteral("SELECT Brano, Correzione FROM %1 WHERE Correzione <> 0").arg(kSongs),
        -1, error, [&](const SqlStatement& q) {
            if (const auto t = real(q, 1)) {
                out.insert(q.integer(0), *t);
            }
        });
    return ok ? out : QHash<qint64, double>();
}

QVector<SongAudio> songAudio(SongDatabase& db, qint64 song, QString* error) {
    QVector<SongAudio> out;
    const QString sql = QStringLiteral("SELECT Id, Groove1, Groove2, Loop FROM Brani") +
                        (song >= 0 ? QStringLiteral(" WHERE Id = ?") : QString());
    const bool ok = eachRow(db, 0, sql, song, error, [&](const SqlStatement& q) {
        out.append({q.integer(0), q.value(1).toString(), q.value(2).toString(),
                    q.value(3).toDouble() != 0});
    });
    return ok ? out : QVector<SongAudio>();
}

double trim(SongDatabase& db, qint64 song, QString* error) {
    double out = 0;
    each(db, QStringLiteral("SELECT Correzione FROM %1 WHERE Brano = ?").arg(kSongs), song, error,
         [&](const SqlStatement& q) { out = real(q, 0).value_or(0); });
    return out;
}

bool setFile(SongDatabase& db, const FileLoudness& file, QString* why) {
    SqlStatement q(db.handle(),
                   QStringLiteral("INSERT OR REPLACE INTO %1 (Percorso, Dimensione, Modificato, "
                                  "Lufs, Picco, Motivo) VALUES (?, ?, ?, ?, ?, ?)")
                       .arg(kFiles));
    q.bind(1, file.path);
    q.bind(2, file.size);
    q.bind(3, file.modifiedMs);
    q.bind(4, file.measured ? QVariant(file.lufs) : QVariant());
    q.bind(5, file.measured ? QVariant(file.peakDb) : QVariant());
    q.bind(6, file.measured ? QVariant() : QVariant(file.why));
    if (!q.run()) {
        *why = q.error();
        return false;
    }
    return true;
}

bool setTrim(SongDatabase& db, qint64 song, double trimDb, QString* why) {
    SqlStatement q(db.handle(), trimDb == 0
                                    ? QStringLiteral("DELETE FROM %1 WHERE Brano = ?").arg(kSongs)
                                    : QStringLiteral("INSERT OR REPLACE INTO %1 (Brano, "
                                                     "Correzione) VALUES (?, ?)")
                                          .arg(kSongs));
    q.bind(1, song);
    if (trimDb != 0) {
        q.bind(2, trimDb);
    }
    if (!q.run()) {
        *why = q.error();
        return false;
    }
    return true;
}

}  // namespace LoudnessStore
