#pragma once

#include <sqlite3.h>

#include <QString>

// The library file as any other SQLite client sees it: a bare connection of the
// SQLite library, without this program's functions and collations. exec() gives
// the engine's error text, empty on success.
class PlainSqlite {
public:
    explicit PlainSqlite(const QString& path) {
        sqlite3_open_v2(path.toUtf8().constData(), &db_, SQLITE_OPEN_READWRITE, nullptr);
    }
    ~PlainSqlite() { sqlite3_close_v2(db_); }
    PlainSqlite(const PlainSqlite&) = delete;
    PlainSqlite& operator=(const PlainSqlite&) = delete;

    QString exec(const QString& sql) {
        char* message = nullptr;
        const int rc = sqlite3_exec(db_, sql.toUtf8().constData(), nullptr, nullptr, &message);
        QString text = rc == SQLITE_OK ? QString() : QString::fromUtf8(message ? message : "error");
        sqlite3_free(message);
        return text;
    }
    // The first column of the first row of a query, as text (empty when none).
    QString value(const QString& sql) {
        sqlite3_stmt* stmt = nullptr;
        QString out;
        if (sqlite3_prepare_v2(db_, sql.toUtf8().constData(), -1, &stmt, nullptr) == SQLITE_OK &&
            sqlite3_step(stmt) == SQLITE_ROW) {
            out = QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(stmt, 0)));
        }
        sqlite3_finalize(stmt);
        return out;
    }

private:
    sqlite3* db_ = nullptr;
};
