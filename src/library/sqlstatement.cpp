#include "library/sqlstatement.h"

#include <sqlite3.h>

#include "library/sqlitemessage.h"

SqlStatement::SqlStatement(sqlite3* db, const QString& sql) : db_(db) {
    const QByteArray utf8 = sql.toUtf8();
    const char* tail = nullptr;
    if (sqlite3_prepare_v2(db, utf8.constData(), int(utf8.size()), &stmt_, &tail) != SQLITE_OK) {
        fail(sqlite3_extended_errcode(db));
        sqlite3_finalize(stmt_);
        stmt_ = nullptr;
        return;
    }
    if (stmt_ == nullptr) {
        error_ = QStringLiteral("nessuna istruzione SQL");
        return;
    }
    for (; tail && *tail; ++tail) {
        if (*tail != ' ' && *tail != '\t' && *tail != '\r' && *tail != '\n' && *tail != ';') {
            trailing_ = true;
            break;
        }
    }
}

SqlStatement::SqlStatement(SqlStatement&& other) noexcept {
    *this = std::move(other);
}

SqlStatement& SqlStatement::operator=(SqlStatement&& other) noexcept {
    if (this != &other) {
        sqlite3_finalize(stmt_);
        db_ = other.db_;
        stmt_ = other.stmt_;
        error_ = std::move(other.error_);
        code_ = other.code_;
        trailing_ = other.trailing_;
        other.stmt_ = nullptr;
    }
    return *this;
}

void SqlStatement::fail(int code) {
    // The engine's own text is English: the message is made from the code.
    code_ = code;
    error_ = SqliteMessage::text(code);
}

SqlStatement::~SqlStatement() {
    sqlite3_finalize(stmt_);
}

bool SqlStatement::isReadOnly() const {
    return stmt_ && sqlite3_stmt_readonly(stmt_);
}

void SqlStatement::bind(int index, const QVariant& value) {
    if (!stmt_) {
        return;
    }
    if (value.isNull()) {
        sqlite3_bind_null(stmt_, index);
        return;
    }
    switch (value.typeId()) {
        case QMetaType::Bool:
            sqlite3_bind_int(stmt_, index, value.toBool() ? -1 : 0);
            break;
        case QMetaType::Int:
        case QMetaType::LongLong:
        case QMetaType::Short:
        case QMetaType::UInt:
            sqlite3_bind_int64(stmt_, index, value.toLongLong());
            break;
        case QMetaType::Double:
        case QMetaType::Float:
            sqlite3_bind_double(stmt_, index, value.toDouble());
            break;
        default: {
            const QByteArray utf8 = value.toString().toUtf8();
            sqlite3_bind_text(stmt_, index, utf8.constData(), int(utf8.size()), SQLITE_TRANSIENT);
        }
    }
}

bool SqlStatement::next() {
    if (!stmt_) {
        return false;
    }
    const int rc = sqlite3_step(stmt_);
    if (rc == SQLITE_ROW) {
        return true;
    }
    if (rc != SQLITE_DONE) {
        fail(rc);
    }
    sqlite3_reset(stmt_);
    return false;
}

bool SqlStatement::run() {
    if (!stmt_) {
        return false;
    }
    error_.clear();
    code_ = 0;
    while (next()) {
    }
    return error_.isEmpty();
}

void SqlStatement::reset() {
    if (stmt_) {
        sqlite3_reset(stmt_);
        sqlite3_clear_bindings(stmt_);
        error_.clear();
        code_ = 0;
    }
}

int SqlStatement::columnCount() const {
    return stmt_ ? sqlite3_column_count(stmt_) : 0;
}

QString SqlStatement::columnName(int column) const {
    return stmt_ ? QString::fromUtf8(sqlite3_column_name(stmt_, column)) : QString();
}

QVariant SqlStatement::value(int column) const {
    switch (sqlite3_column_type(stmt_, column)) {
        case SQLITE_INTEGER:
            return QVariant(qlonglong(sqlite3_column_int64(stmt_, column)));
        case SQLITE_FLOAT:
            return QVariant(sqlite3_column_double(stmt_, column));
        case SQLITE_NULL:
            return QVariant();
        default: {
            const auto* p = reinterpret_cast<const char*>(sqlite3_column_text(stmt_, column));
            return QVariant(QString::fromUtf8(p, sqlite3_column_bytes(stmt_, column)));
        }
    }
}

qint64 SqlStatement::integer(int column) const {
    return sqlite3_column_int64(stmt_, column);
}

bool SqlStatement::isNull(int column) const {
    return sqlite3_column_type(stmt_, column) == SQLITE_NULL;
}

bool SqlStatement::isText(int column) const {
    return sqlite3_column_type(stmt_, column) == SQLITE_TEXT;
}

std::string_view SqlStatement::text(int column) const {
    const auto* p = reinterpret_cast<const char*>(sqlite3_column_text(stmt_, column));
    return p ? std::string_view(p, size_t(sqlite3_column_bytes(stmt_, column)))
             : std::string_view();
}
