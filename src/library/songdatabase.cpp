#include "library/songdatabase.h"

#include <sqlite3.h>

#include <QDir>
#include <QFileInfo>

#include "library/songfold.h"
#include "library/songschema.h"
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
    const QFileInfo info(path);
    if (mode == Mode::Existing && !info.isFile()) {
        if (error) {
            *error = QStringLiteral(
                         "Impossibile aprire l'archivio dei brani \"%1\": il file non "
                         "esiste.")
                         .arg(shown);
        }
        return nullptr;
    }
    sqlite3* db = nullptr;
    const int flags = SQLITE_OPEN_READWRITE | (mode == Mode::Create ? SQLITE_OPEN_CREATE : 0);
    if (sqlite3_open_v2(path.toUtf8().constData(), &db, flags, nullptr) != SQLITE_OK) {
        if (error) {
            *error = QStringLiteral("Impossibile aprire l'archivio dei brani \"%1\": %2.")
                         .arg(shown, QString::fromUtf8(sqlite3_errmsg(db)));
        }
        sqlite3_close(db);
        return nullptr;
    }
    sqlite3_busy_timeout(db, 2000);
    sqlite3_create_function(db, "Len", 1, SQLITE_UTF8 | SQLITE_DETERMINISTIC, nullptr, lenFunction,
                            nullptr, nullptr);
    sqlite3_create_function(db, "Piega", 1, SQLITE_UTF8 | SQLITE_DETERMINISTIC, nullptr,
                            piegaFunction, nullptr, nullptr);
    sqlite3_create_collation(db, "PIEGA", SQLITE_UTF8, nullptr, piegaCollation);
    std::shared_ptr<SongDatabase> result(new SongDatabase(db, path));
    QString why;
    if (!result->migrate(&why)) {
        if (error) {
            *error = QStringLiteral("Impossibile aprire l'archivio dei brani \"%1\": %2")
                         .arg(shown, why);
        }
        return nullptr;
    }
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
    if (sqlite3_exec(db_, sql.toUtf8().constData(), nullptr, nullptr, &message) != SQLITE_OK) {
        if (error) {
            *error = QString::fromUtf8(message ? message : sqlite3_errmsg(db_));
        }
        sqlite3_free(message);
        return false;
    }
    return true;
}

bool SongDatabase::migrate(QString* error) {
    // Reading the version is the first read of the file: a file that is not a
    // database fails here.
    SqlStatement probe(db_, QStringLiteral("SELECT count(*) FROM sqlite_master"));
    if (!probe.isValid() || !probe.next()) {
        *error = QStringLiteral("il file è danneggiato o non è un archivio di brani (%1).")
                     .arg(probe.error());
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
        if (!begin()) {
            *error = QStringLiteral("l'archivio non si può aggiornare (%1).")
                         .arg(QString::fromUtf8(sqlite3_errmsg(db_)));
            return false;
        }
        bool ok = true;
        for (const QString& sql : SongSchema::migration(version)) {
            if (!exec(sql, &why)) {
                ok = false;
                break;
            }
        }
        ok = ok && exec(QStringLiteral("PRAGMA user_version = %1").arg(version + 1), &why);
        if (!ok || !commit()) {
            rollback();
            *error = QStringLiteral("l'archivio non si può aggiornare (%1).").arg(why);
            return false;
        }
        ++version;
    }
    return true;
}

bool SongDatabase::insertSongs(const std::vector<SongRecord>& songs, QString* error) {
    if (!begin()) {
        if (error) {
            *error = QString::fromUtf8(sqlite3_errmsg(db_));
        }
        return false;
    }
    SqlStatement insert(
        db_, QStringLiteral("INSERT INTO Brani (Titoli, Autore, Pagina, Capotasto, BPM, Loop, "
                            "Groove1, Groove2, Sca1, Sca2, Sca3, Sca4, Sca5, Temp, "
                            "ChiaveTitoli, ChiaveAutore) "
                            "VALUES (?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?)"));
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
        insert.reset();
    }
    return commit();
}

const QStringList& SongDatabase::songFields() {
    return SongSchema::fields();
}

QString SongDatabase::readError(const QString& detail) const {
    return QStringLiteral("Errore nella lettura dell'archivio dei brani \"%1\": %2")
        .arg(fileText(path_), detail);
}
