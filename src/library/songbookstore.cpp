#include "library/songbookstore.h"

#include <limits>

#include "library/eachrow.h"
#include "library/songdatabase.h"
#include "library/sqlstatement.h"

namespace SongbookStore {

namespace {

const QString kTable = QStringLiteral("CanzoniereBrano");
// The first version whose files hold the table.
constexpr int kVersion = 5;

}  // namespace

int book(SongDatabase& db, qint64 song, QString* error) {
    int out = 0;
    eachRow(db, kVersion, QStringLiteral("SELECT Canzoniere FROM %1 WHERE Brano = ?").arg(kTable),
            song, error, [&](const SqlStatement& q) {
                const QVariant v = q.value(0);
                if (v.typeId() != QMetaType::LongLong) {
                    return;  // a text or a fraction: no book this program wrote
                }
                const qint64 n = v.toLongLong();
                if (n >= 1 && n <= std::numeric_limits<int>::max()) {
                    out = int(n);
                }
            });
    return out;
}

bool setBook(SongDatabase& db, qint64 song, int book, QString* why) {
    SqlStatement q(db.handle(),
                   book <= 1 ? QStringLiteral("DELETE FROM %1 WHERE Brano = ?").arg(kTable)
                             : QStringLiteral("INSERT OR REPLACE INTO %1 (Brano, Canzoniere) "
                                              "VALUES (?, ?)")
                                   .arg(kTable));
    q.bind(1, song);
    if (book > 1) {
        q.bind(2, qlonglong(book));
    }
    if (!q.run()) {
        *why = q.error();
        return false;
    }
    return true;
}

}  // namespace SongbookStore
