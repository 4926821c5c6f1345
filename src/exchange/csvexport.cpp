#include "exchange/csvexport.h"

#include <QDir>
#include <QSaveFile>

#include "exchange/csvformat.h"
#include "exchange/csvsongcolumns.h"
#include "library/songdatabase.h"
#include "library/sqlstatement.h"

namespace CsvExport {

std::optional<QVector<SongRecord>> songs(const QString& libraryPath, int list, QString* error) {
    auto db = SongDatabase::open(libraryPath, error);
    if (!db) {
        return std::nullopt;
    }
    const QString fields = QStringLiteral(
        "SELECT Titoli, Autore, Pagina, Capotasto, BPM, Loop, Groove1, Groove2, Sca1, Sca2, "
        "Sca3, Sca4, Sca5, Temp FROM Brani ");
    const QString sql = list >= 1 && list <= 5
                            ? fields + QStringLiteral(
                                           "WHERE Sca%1 > 0 ORDER BY Sca%1, "
                                           "ChiaveTitoli, Id")
                                           .arg(list)
                            : fields + QStringLiteral("ORDER BY ChiaveTitoli, Id");
    SqlStatement q(db->handle(), sql);
    QVector<SongRecord> out;
    while (q.next()) {
        SongRecord s;
        s.Titoli = q.value(0).toString();
        s.Autore = q.value(1);
        s.Pagina = q.value(2);
        s.Capotasto = q.value(3);
        s.BPM = q.value(4);
        s.Loop = q.integer(5) != 0;
        s.Groove1 = q.value(6);
        s.Groove2 = q.value(7);
        for (int i = 0; i < 5; ++i) {
            s.Sca[size_t(i)] = q.value(8 + i);
        }
        s.Temp = q.integer(13) != 0;
        out.push_back(s);
    }
    if (!q.error().isEmpty()) {
        *error = db->readError(q.error());
        return std::nullopt;
    }
    return out;
}

QString text(const QVector<SongRecord>& songs, QChar separator) {
    QString out = CsvSongColumns::header().join(separator) + QStringLiteral("\r\n");
    for (const SongRecord& s : songs) {
        out += CsvSongColumns::cells(s, separator).join(separator) + QStringLiteral("\r\n");
    }
    return out;
}

bool write(const QString& path, const QVector<SongRecord>& songs, QChar separator, QString* error) {
    QSaveFile f(path);
    const QByteArray bytes = CsvFormat::encode(text(songs, separator));
    if (!f.open(QIODevice::WriteOnly) || f.write(bytes) != bytes.size() || !f.commit()) {
        *error = QStringLiteral(
                     "Impossibile scrivere il file \"%1\": la cartella non esiste o è protetta "
                     "dalla scrittura, oppure il disco è pieno.")
                     .arg(QDir::toNativeSeparators(path));
        return false;
    }
    return true;
}

}  // namespace CsvExport
