#include "library/songdatabase.h"

#include <sqlite3.h>

#include <QDir>
#include <QFileInfo>

#include "library/songfold.h"
#include "library/songschema.h"
#include "library/sqlitemessage.h"
#include "library/sqlstatement.h"
#include "platform/fileprobe.h"

namespace {

// Len(x): the number of characters of x's text form; null stays null.
void lenFunction(sqlite3_context* ctx, int, sqlite3_value** argv) {
    if (sqlite3_value_type(argv[0]) == SQLITE_NULL) {
        sqlite3_result_null(ctx);
        return;
    }
    const auto* p = sqlite3_value_text(argv[0]);
    const int bytes = sqlite3_value_bytes(argv[0]);
    sqlite3_int64 count = 0;
    for (int i = 0; i < bytes; ++i) {
        if ((p[i] & 0xC0) != 0x80) {
            ++count;
        }
    }
    sqlite3_result_int64(ctx, count);
}

// Piega(x): the sort and search key of a text; null stays null.
void piegaFunction(sqlite3_context* ctx, int, sqlite3_value** argv) {
    if (sqlite3_value_type(argv[0]) == SQLITE_NULL) {
        sqlite3_result_null(ctx);
        return;
    }
    const auto* p = reinterpret_cast<const char*>(sqlite3_value_text(argv[0]));
    const std::string key =
        SongFold::key(std::string_view(p ? p : "", size_t(sqlite3_value_bytes(argv[0]))));
    sqlite3_result_text(ctx, key.data(), int(key.size()), SQLITE_TRANSIENT);
}

int piegaCollation(void*, int na, const void* a, int nb, const void* b) {
    return SongFold::compare(std::string_view(static_cast<const char*>(a), size_t(na)),
                             std::string_view(static_cast<const char*>(b), size_t(nb)));
}

QString fileText(const QString& path) {
    return QDir::toNativeSeparators(path);
}

}  // namespace

std::shared_ptr<SongDatabase> SongDatabase::open(const QString& path, QString* error, Mode mode) {
    const QString shown = fileText(path);
    const auto failed = [&](const QString& why) {
        if (error) {
            *error = QStringLiteral("Impossibile aprire l'archivio dei brani \"%1\": %2")
                         .arg(shown, why);
        }
        return std::shared_ptr<SongDatabase>();
    };
    // Only a regular file is opened: a folder or a pipe of that name is said to be
    // what it is (the engine would call it missing or wait on it for ever).
    switch (FileProbe().kindOf(path)) {
        case FileProbe::Kind::Folder:
            return failed(QStringLiteral("è una cartella, non un file."));
        case FileProbe::Kind::Other:
            return failed(QStringLiteral("non è un file normale."));
        case FileProbe::Kind::None:
            if (mode == Mode::Existing) {
                return failed(QStringLiteral("il file non esiste."));
            }
            break;
        case FileProbe::Kind::File:
            // The engine would take an empty file for a new library and make one in
            // it: a copy that failed would then look like every song gone.
            if (mode == Mode::Existing && QFileInfo(path).size() == 0) {
                return failed(QStringLiteral(
                    "il file è vuoto (0 byte): l'archivio è danneggiato o una copia non è "
                    "riuscita."));
            }
            break;
    }
    sqlite3* db = nullptr;
    const int flags = SQLITE_OPEN_READWRITE | (mode == Mode::Create ? SQLITE_OPEN_CREATE : 0);
    if (sqlite3_open_v2(path.toUtf8().constData(), &db, flags, nullptr) != SQLITE_OK) {
        const int code = db ? sqlite3_extended_errcode(db) : SQLITE_NOMEM;
        sqlite3_close(db);
        return failed(SqliteMessage::text(code));
    }
    sqlite3_busy_timeout(db, kBusyMs);
    sqlite3_create_function(db, "Len", 1, SQLITE_UTF8 | SQLITE_DETERMINISTIC, nullptr, lenFunction,
                            nullptr, nullptr);
    sqlite3_create_function(db, "Piega", 1, SQLITE_UTF8 | SQLITE_DETERMINISTIC, nullptr,
                            piegaFunction, nullptr, nullptr);
    sqlite3_create_collation(db, "PIEGA", SQLITE_UTF8, nullptr, piegaCollation);
    std::shared_ptr<SongDatabase> result(new SongDatabase(db, path));
    QString why;
    if (!result->migrate(&why)) {
        return failed(why);
    }
    // Songs added or changed by another program get their sort keys here. A file
    // that cannot be written now (read-only, or held by another program) is still
    // read; its keys are remade at a later opening.
    result->repairKeys();
    return result;
}

QString SongDatabase::locate(const QString& folder, const FileProbe& probe) {
    const QString wanted = folder + kFileName;
    const QString found = probe.resolve(wanted);
    return found.isEmpty() ? wanted : found;
}

SongDatabase::~SongDatabase() {
    sqlite3_close_v2(db_);
}

int SongDatabase::schemaVersion() const {
    SqlStatement q(db_, QStringLiteral("PRAGMA user_version"));
    const int version = q.next() ? int(q.integer(0)) : -1;
    q.reset();
    return version;
}

bool SongDatabase::exec(const QString& sql, QString* error) {
    char* message = nullptr;
    const int code = sqlite3_exec(db_, sql.toUtf8().constData(), nullptr, nullptr, &message);
    sqlite3_free(message);  // the engine's English text is not shown
    if (code != SQLITE_OK) {
        if (error) {
            *error = SqliteMessage::text(code);
        }
        return false;
    }
    return true;
}

bool SongDatabase::repairKeys() {
    const QString queue = SongSchema::kKeysToRemake;
    {
        SqlStatement pending(db_, QStringLiteral("SELECT 1 FROM %1 LIMIT 1").arg(queue));
        if (!pending.next()) {
            return pending.error().isEmpty();
        }
    }
    // A short wait only: another program writing to the file must not hold up the
    // lists. A savepoint, so that this also runs inside a transaction of the caller.
    sqlite3_busy_timeout(db_, kRepairBusyMs);
    bool ok = exec(QStringLiteral("SAVEPOINT Chiavi")) &&
              exec(QStringLiteral("UPDATE Brani SET ChiaveTitoli = Piega(Titoli), "
                                  "ChiaveAutore = Piega(Autore) WHERE Id IN (SELECT Id FROM %1)")
                       .arg(queue));
    ok = ok && exec(QStringLiteral("DELETE FROM %1").arg(queue));
    if (ok) {
        ok = exec(QStringLiteral("RELEASE Chiavi"));
        if (!ok) {
            exec(QStringLiteral("ROLLBACK"));
        }
    } else {
        exec(QStringLiteral("ROLLBACK TO Chiavi"));
        exec(QStringLiteral("RELEASE Chiavi"));
    }
    sqlite3_busy_timeout(db_, kBusyMs);
    return ok;
}

bool SongDatabase::migrate(QString* error) {
    // Reading the version is the first read of the file: a file that is not a
    // database fails here.
    SqlStatement probe(db_, QStringLiteral("SELECT count(*) FROM sqlite_master"));
    if (!probe.isValid() || !probe.next()) {
        // Held by another program, not a database at all, or damaged.
        *error = probe.error();
        return false;
    }
    const qint64 objects = probe.integer(0);
    probe.reset();
    int version = schemaVersion();
    if (version > kSchemaVersion) {
        *error = QStringLiteral(
            "l'archivio è stato creato da una versione più recente del "
            "programma.");
        return false;
    }
    if (version == 0 && objects > 0) {
        *error = QStringLiteral("il file non è un archivio di brani di questo programma.");
        return false;
    }
    while (version < kSchemaVersion) {
        QString why;
        bool ok = exec(QStringLiteral("BEGIN IMMEDIATE"), &why);
        for (const QString& sql : SongSchema::migration(version)) {
            ok = ok && exec(sql, &why);
        }
        ok = ok && exec(QStringLiteral("PRAGMA user_version = %1").arg(version + 1), &why);
        ok = ok && exec(QStringLiteral("COMMIT"), &why);
        if (!ok) {
            const int code = sqlite3_extended_errcode(db_);
            if (!sqlite3_get_autocommit(db_)) {
                rollback();
            }
            // A library of an earlier version on a disk that cannot be written is
            // still read as it is: its lists are the same.
            if (version >= 1 && (code & 0xFF) == SQLITE_READONLY) {
                return true;
            }
            *error = QStringLiteral("l'archivio non si può aggiornare: %1").arg(why);
            return false;
        }
        ++version;
    }
    return true;
}

bool SongDatabase::insertSongs(const std::vector<SongRecord>& songs, QString* error) {
    if (!exec(QStringLiteral("BEGIN IMMEDIATE"), error)) {
        return false;
    }
    SqlStatement insert(
        db_, QStringLiteral("INSERT INTO Brani (Titoli, Autore, Pagina, Capotasto, BPM, Loop, "
                            "Groove1, Groove2, Sca1, Sca2, Sca3, Sca4, Sca5, Temp, "
                            "ChiaveTitoli, ChiaveAutore) "
                            "VALUES (?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?)"));
    sqlite3_int64 firstId = -1;
    for (const SongRecord& s : songs) {
        insert.bind(1, s.Titoli);
        insert.bind(2, s.Autore);
        insert.bind(3, s.Pagina);
        insert.bind(4, s.Capotasto);
        insert.bind(5, s.BPM);
        insert.bind(6, s.Loop ? -1 : 0);
        insert.bind(7, s.Groove1);
        insert.bind(8, s.Groove2);
        for (int i = 0; i < 5; ++i) {
            insert.bind(9 + i, s.Sca[size_t(i)]);
        }
        insert.bind(14, s.Temp ? -1 : 0);
        insert.bind(15, QString::fromStdString(SongFold::key(s.Titoli)));
        insert.bind(16, s.Autore.isNull()
                            ? QVariant()
                            : QVariant(QString::fromStdString(SongFold::key(s.Autore.toString()))));
        if (!insert.run()) {
            if (error) {
                *error = insert.error();
            }
            rollback();
            return false;
        }
        if (firstId < 0) {
            firstId = sqlite3_last_insert_rowid(db_);
        }
        insert.reset();
    }
    // These songs come with their keys: nothing to remake. New songs take keys
    // above every song there before, so the songs noted from firstId on are these.
    if (firstId >= 0 && !exec(QStringLiteral("DELETE FROM %1 WHERE Id >= %2")
                                  .arg(SongSchema::kKeysToRemake)
                                  .arg(firstId),
                              error)) {
        rollback();
        return false;
    }
    return exec(QStringLiteral("COMMIT"), error);
}

const QStringList& SongDatabase::songFields() {
    return SongSchema::fields();
}

QString SongDatabase::readError(const QString& detail) const {
    return QStringLiteral("Errore nella lettura dell'archivio dei brani \"%1\": %2")
        .arg(fileText(path_), detail);
}
