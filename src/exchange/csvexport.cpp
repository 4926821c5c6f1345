#include "exchange/csvexport.h"

#include <QDir>
#include <algorithm>

#include "exchange/csvformat.h"
#include "exchange/csvsongcolumns.h"
#include "library/gearstore.h"
#include "library/geartext.h"
#include "library/songdatabase.h"
#include "library/songrow.h"
#include "library/sqlstatement.h"
#include "platform/wholefile.h"

namespace CsvExport {

std::optional<QVector<SongRecord>> songs(const QString& libraryPath, int list, QString* error,
                                         QVector<GearMessages>* gear) {
    auto db = SongDatabase::open(libraryPath, error);
    if (!db) {
        return std::nullopt;
    }
    const QString fields = QStringLiteral("SELECT %1, Id FROM Brani ").arg(SongRow::columns());
    QHash<qint64, GearMessages> messages;
    if (gear) {
        gear->clear();
        QString why;
        messages = GearStore::readAll(*db, &why);
        if (!why.isEmpty()) {
            *error = why;
            return std::nullopt;
        }
    }
    const QString sql = list >= 1 && list <= 5
                            ? fields + QStringLiteral(
                                           "WHERE Sca%1 > 0 ORDER BY Sca%1, "
                                           "ChiaveTitoli, Id")
                                           .arg(list)
                            : fields + QStringLiteral("ORDER BY ChiaveTitoli, Id");
    SqlStatement q(db->handle(), sql);
    QVector<SongRecord> out;
    const int idColumn = q.columnCount() - 1;
    while (q.next()) {
        out.push_back(SongRow::read(q));
        if (gear) {
            gear->push_back(messages.value(q.integer(idColumn)));
        }
    }
    if (!q.error().isEmpty()) {
        *error = db->readError(q.error());
        return std::nullopt;
    }
    return out;
}

QString text(const QVector<SongRecord>& songs, QChar separator, const QVector<GearMessages>& gear) {
    const bool withGear =
        std::any_of(gear.begin(), gear.end(), [](const GearMessages& m) { return !m.isEmpty(); });
    QStringList header = CsvSongColumns::header();
    if (withGear) {
        header << kGearHeader;
    }
    QString out = header.join(separator) + QStringLiteral("\r\n");
    for (qsizetype i = 0; i < songs.size(); ++i) {
        QStringList cells = CsvSongColumns::cells(songs[i], separator);
        if (withGear) {
            cells << CsvFormat::quote(GearText::encode(gear.value(i)), separator);
        }
        out += cells.join(separator) + QStringLiteral("\r\n");
    }
    return out;
}

bool write(const QString& path, const QVector<SongRecord>& songs, QChar separator, QString* error,
           const QVector<GearMessages>& gear) {
    if (!WholeFile::write(path, CsvFormat::encode(text(songs, separator, gear))).isEmpty()) {
        *error = QStringLiteral(
                     "Impossibile scrivere il file \"%1\": la cartella non esiste o è protetta "
                     "dalla scrittura, oppure il disco è pieno.")
                     .arg(QDir::toNativeSeparators(path));
        return false;
    }
    return true;
}

}  // namespace CsvExport
