#include "exchange/librarybackup.h"

#include <sqlite3.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include "library/sqlitemessage.h"

namespace {

// How long the copy waits for another program that holds the library (ms).
constexpr int kBusyMs = 2000;

QString native(const QString& path) {
    return QDir::toNativeSeparators(path);
}

// Closes a connection whatever state it is in.
struct Connection {
    sqlite3* db = nullptr;
    ~Connection() { sqlite3_close_v2(db); }
};

// Runs the online backup of source into the file at temp; the engine's result code.
int backup(const QString& source, const QString& temp) {
    Connection from;
    Connection to;
    int rc = sqlite3_open_v2(source.toUtf8().constData(), &from.db, SQLITE_OPEN_READONLY, nullptr);
    if (rc != SQLITE_OK) {
        return rc;
    }
    sqlite3_busy_timeout(from.db, kBusyMs);
    // A file of another kind opens without complaint: the first read tells.
    rc = sqlite3_exec(from.db, "SELECT count(*) FROM sqlite_master", nullptr, nullptr, nullptr);
    if (rc != SQLITE_OK) {
        return sqlite3_extended_errcode(from.db);
    }
    rc = sqlite3_open_v2(temp.toUtf8().constData(), &to.db,
                         SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr);
    if (rc != SQLITE_OK) {
        return rc;
    }
    sqlite3_backup* job = sqlite3_backup_init(to.db, "main", from.db, "main");
    if (!job) {
        return sqlite3_extended_errcode(to.db);
    }
    // All pages in one step: the copy sees one moment of the library.
    do {
        rc = sqlite3_backup_step(job, -1);
        if (rc == SQLITE_BUSY || rc == SQLITE_LOCKED) {
            sqlite3_sleep(20);
        }
    } while (rc == SQLITE_OK || rc == SQLITE_BUSY || rc == SQLITE_LOCKED);
    const int finish = sqlite3_backup_finish(job);
    if (rc != SQLITE_DONE) {
        return rc;
    }
    return finish;
}

}  // namespace

namespace LibraryBackup {

bool copy(const QString& libraryPath, const QString& target, QString* error) {
    const auto fail = [&](const QString& why) {
        if (error) {
            *error =
                QStringLiteral("Impossibile salvare una copia dell'archivio \"%1\" in \"%2\": %3")
                    .arg(native(libraryPath), native(target), why);
        }
        return false;
    };
    if (!QFileInfo(libraryPath).isFile()) {
        return fail(QStringLiteral("l'archivio non c'è."));
    }
    if (QFileInfo(libraryPath).canonicalFilePath() == QFileInfo(target).canonicalFilePath()) {
        return fail(QStringLiteral("la copia non può prendere il posto dell'archivio stesso."));
    }
    const QString temp = target + QStringLiteral(".parziale");
    QFile::remove(temp);
    const int rc = backup(libraryPath, temp);
    if (rc != SQLITE_OK) {
        QFile::remove(temp);
        return fail(SqliteMessage::text(rc));
    }
    if (QFileInfo::exists(target) && !QFile::remove(target)) {
        QFile::remove(temp);
        return fail(QStringLiteral("il file che c'è già non si può sostituire."));
    }
    if (!QFile::rename(temp, target)) {
        QFile::remove(temp);
        return fail(QStringLiteral("il file non si può scrivere in quella cartella."));
    }
    return true;
}

QString nextCopyPath(const QString& libraryPath) {
    const QFileInfo info(libraryPath);
    const QString folder = info.absolutePath() + QLatin1Char('/');
    const QString base = info.completeBaseName() + QStringLiteral("-copia");
    const QString suffix = info.suffix().isEmpty() ? QString() : QLatin1Char('.') + info.suffix();
    QString path = folder + base + suffix;
    for (int n = 2; QFileInfo::exists(path); ++n) {
        path = folder + base + QStringLiteral("-%1").arg(n) + suffix;
    }
    return path;
}

QString beforeImport(const QString& libraryPath, QString* error) {
    if (error) {
        error->clear();
    }
    if (!QFileInfo(libraryPath).isFile()) {
        return {};
    }
    const QString target = nextCopyPath(libraryPath);
    if (!copy(libraryPath, target, error)) {
        return {};
    }
    return target;
}

}  // namespace LibraryBackup
