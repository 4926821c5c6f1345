#include "exchange/librarybackup.h"

#include <sqlite3.h>

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {

QString copyError(const QString& path, const QString& detail) {
    return QStringLiteral(
               "Impossibile fare la copia di sicurezza dell'archivio dei brani \"%1\": %2\n"
               "L'importazione non è stata fatta.")
        .arg(QDir::toNativeSeparators(path), detail);
}

// A free name beside the library: "Songs-copia-2026-12-08-0530.mdb", then "-2", ...
QString freeName(const QFileInfo& library) {
    const QString stem = library.completeBaseName() + QStringLiteral("-copia-") +
                         library.lastModified().toString(QStringLiteral("yyyy-MM-dd-HHmmss"));
    const QString suffix =
        library.suffix().isEmpty() ? QString() : QLatin1Char('.') + library.suffix();
    QString name = library.dir().filePath(stem + suffix);
    for (int n = 2; QFileInfo::exists(name); ++n) {
        name = library.dir().filePath(stem + QStringLiteral("-%1").arg(n) + suffix);
    }
    return name;
}

}  // namespace

QString LibraryBackup::beforeImport(const QString& libraryPath, QString* error) {
    const QFileInfo library(libraryPath);
    if (!library.isFile()) {
        *error = copyError(libraryPath, QStringLiteral("l'archivio non c'è."));
        return {};
    }
    const QString target = freeName(library);
    sqlite3* from = nullptr;
    sqlite3* to = nullptr;
    QString detail;
    if (sqlite3_open_v2(QFile::encodeName(libraryPath).constData(), &from, SQLITE_OPEN_READONLY,
                        nullptr) != SQLITE_OK ||
        sqlite3_open_v2(QFile::encodeName(target).constData(), &to,
                        SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr) != SQLITE_OK) {
        detail = QStringLiteral("il file non si può aprire.");
    } else {
        sqlite3_busy_timeout(from, 2000);
        sqlite3_backup* b = sqlite3_backup_init(to, "main", from, "main");
        if (!b) {
            detail = QStringLiteral("il file non si può copiare.");
        } else {
            int rc = SQLITE_OK;
            int waits = 0;  // another program holding the file: up to two seconds
            do {
                rc = sqlite3_backup_step(b, 256);
                if (rc == SQLITE_BUSY || rc == SQLITE_LOCKED) {
                    sqlite3_sleep(20);
                }
            } while (rc == SQLITE_OK ||
                     ((rc == SQLITE_BUSY || rc == SQLITE_LOCKED) && ++waits < 100));
            sqlite3_backup_finish(b);
            if (rc != SQLITE_DONE) {
                detail = rc == SQLITE_FULL ? QStringLiteral("il disco è pieno.")
                         : rc == SQLITE_NOTADB || rc == SQLITE_CORRUPT
                             ? QStringLiteral("il file è danneggiato o non è un archivio di brani.")
                             : QStringLiteral("la copia non è riuscita.");
            }
        }
    }
    sqlite3_close(from);
    sqlite3_close(to);
    if (!detail.isEmpty()) {
        QFile::remove(target);
        *error = copyError(libraryPath, detail);
        return {};
    }
    return target;
}
