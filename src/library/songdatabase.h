#pragma once

#include <QString>
#include <memory>
#include <vector>

#include "library/songrecord.h"

struct sqlite3;
class FileProbe;

// An open song library file (`Songs.mdb`, a SQLite database). Opening registers
// what the program's query texts rely on: the SQL function `Len`, the key function
// `Piega` and the collation `PIEGA` (case and accents ignored), brings the schema
// up to date and remakes the sort keys of songs added or changed by another
// program. The file itself calls none of these functions, so any SQLite client can
// read and change it. The record sources `ListaTitoli`, `ListaAutore` and
// `Scaletta1`..`Scaletta5` are views in the file over the song table `Brani`,
// ordered by the stored keys. One connection per object; GUI thread only.
class SongDatabase {
public:
    static constexpr int kSchemaVersion = 5;
    // How long a statement waits for another program that holds the file (ms).
    static constexpr int kBusyMs = 2000;
    static constexpr int kRepairBusyMs = 100;
    static inline const QString kFileName = QStringLiteral("Songs.mdb");
    static inline const QString kSongTable = QStringLiteral("Brani");
    static inline const QString kKeyField = QStringLiteral("Id");

    enum class Mode { Existing, Create };

    // Opens the file at path (Existing: it must be there; Create: a new file is
    // made when none is there). Null on failure, with an Italian text naming the
    // file in *error that tells a missing file, a folder, a file held by another
    // program, a file of another kind and a damaged library apart.
    static std::shared_ptr<SongDatabase> open(const QString& path, QString* error,
                                              Mode mode = Mode::Existing);
    // The library file of a folder (ending in the separator): the stored name of
    // Songs.mdb in whatever case it has there, or folder + "Songs.mdb" when absent.
    static QString locate(const QString& folder, const FileProbe& probe);

    ~SongDatabase();
    SongDatabase(const SongDatabase&) = delete;
    SongDatabase& operator=(const SongDatabase&) = delete;

    sqlite3* handle() const { return db_; }
    QString path() const { return path_; }
    int schemaVersion() const;

    // Runs SQL statements without results; false with *error on failure.
    bool exec(const QString& sql, QString* error = nullptr);
    bool begin() { return exec(QStringLiteral("BEGIN IMMEDIATE")); }
    bool commit() { return exec(QStringLiteral("COMMIT")); }
    void rollback() { exec(QStringLiteral("ROLLBACK")); }

    // Remakes the sort keys of the songs noted as added or changed (by another
    // program, or by an edit of a title or an author). False when the file could
    // not be written now; the songs stay noted.
    bool repairKeys();

    // Adds songs in one transaction; false with *error on failure (nothing added).
    bool insertSongs(const std::vector<SongRecord>& songs, QString* error = nullptr);
    // The stored fields of the song table, in order (key field first).
    static const QStringList& songFields();

    // The Italian text for a failure on this file, e.g. "Errore nella lettura...".
    QString readError(const QString& detail) const;

private:
    SongDatabase(sqlite3* db, const QString& path) : db_(db), path_(path) {}
    bool migrate(QString* error);

    sqlite3* db_ = nullptr;
    QString path_;
};
