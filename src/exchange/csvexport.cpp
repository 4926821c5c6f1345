#include "exchange/csvexport.h"

#include <QDir>

#include "exchange/csvformat.h"
#include "exchange/csvsongcolumns.h"
#include "library/songdatabase.h"
#include "library/songrow.h"
#include "library/sqlstatement.h"
#include "platform/wholefile.h"

namespace CsvExport {

std::optional<QVector<SongRecord>> songs(const QString& libraryPath, int list, QString* error) {
    auto db = SongDatabase::open(libraryPath, error);
    if (!db) {
        return std::nullopt;
    }
    const QString fields = QStringLiteral("SELECT %1 FROM Brani ").arg(SongRow::columns());
    const QString sql = list >= 1 && list <= 5
                            ? fields + QStringLiteral(
                                           "WHERE Sca%1 > 0 ORDER BY Sca%1, "
                                           "ChiaveTitoli, Id")
                                           .arg(list)
                            : fields + QStringLiteral("ORDER BY ChiaveTitoli, Id");
    SqlStatement q(db->handle(), sql);
    QVector<SongRecord> out;
    while (q.next()) {
        out.push_back(SongRow::read(q));
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
    if (!WholeFile::write(path, CsvFormat::encode(text(songs, separator))).isEmpty()) {
        *error = QStringLiteral(
                     "Impossibile scrivere il file \"%1\": la cartella non esiste o è protetta "
                     "dalla scrittura, oppure il disco è pieno.")
                     .arg(QDir::toNativeSeparators(path));
        return false;
    }
    return true;
}

}  // namespace CsvExport
