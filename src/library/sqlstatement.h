#pragma once

#include <QString>
#include <QVariant>

struct sqlite3;
struct sqlite3_stmt;

// One prepared SQLite statement, finalised when it goes. Values pass as QVariant:
// an SQL null is a null QVariant, integers qlonglong, reals double, texts QString.
// Used by one thread at a time (the GUI thread in the program).
class SqlStatement {
public:
    SqlStatement() = default;
    SqlStatement(sqlite3* db, const QString& sql);
    SqlStatement(SqlStatement&& other) noexcept;
    SqlStatement& operator=(SqlStatement&& other) noexcept;
    SqlStatement(const SqlStatement&) = delete;
    SqlStatement& operator=(const SqlStatement&) = delete;
    ~SqlStatement();

    bool isValid() const { return stmt_ != nullptr; }
    // What went wrong, in Italian (a clause such as "il file è danneggiato."), and
    // the engine's result code (0 when nothing failed).
    QString error() const { return error_; }
    int errorCode() const { return code_; }
    // True when the text held more than one statement (only the first is prepared).
    bool hasTrailingText() const { return trailing_; }
    bool isReadOnly() const;

    void bind(int index, const QVariant& value);  // index from 1
    // Steps once: true while a row is there. A failure sets error() and returns false.
    bool next();
    // Runs to completion; false (with error()) on failure.
    bool run();
    void reset();

    int columnCount() const;
    QString columnName(int column) const;
    QVariant value(int column) const;
    qint64 integer(int column) const;
    bool isNull(int column) const;
    bool isText(int column) const;
    // The raw UTF-8 bytes of a text column (valid until the next step).
    std::string_view text(int column) const;

private:
    void fail(int code);

    sqlite3* db_ = nullptr;
    sqlite3_stmt* stmt_ = nullptr;
    QString error_;
    int code_ = 0;
    bool trailing_ = false;
};
