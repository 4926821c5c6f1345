#include "library/rowset.h"

#include <sqlite3.h>

#include <QRegularExpression>
#include <algorithm>

#include "library/songdatabase.h"
#include "library/songfold.h"

namespace {

constexpr int kCacheRows = 4096;

QString quoted(const QString& name) {
    return u'"' + QString(name).replace(u'"', QStringLiteral("\"\"")) + u'"';
}

bool isName(const QString& source) {
    static const QRegularExpression name(QStringLiteral("^\\s*[A-Za-z_][A-Za-z0-9_]*\\s*$"));
    return name.match(source).hasMatch();
}

}  // namespace

std::shared_ptr<RowSet> RowSet::open(std::shared_ptr<SongDatabase> db, const QString& source) {
    std::shared_ptr<RowSet> set(new RowSet);
    set->db_ = std::move(db);
    set->source_ = source;
    if (!set->db_) {
        set->error_ = QStringLiteral("Archivio dei brani non aperto.");
        return set;
    }
    if (!set->load()) {
        set->ids_.clear();
        set->rows_.clear();
        set->fields_.clear();
        set->keyColumn_ = -1;
        set->pos_ = -1;
    }
    return set;
}

std::shared_ptr<RowSet> RowSet::empty(const QString& source, const QString& error) {
    std::shared_ptr<RowSet> set(new RowSet);
    set->source_ = source;
    set->error_ = error;
    return set;
}

void RowSet::fail(const QString& detail) {
    error_ = db_->readError(detail);
}

bool RowSet::load() {
    if (isName(source_)) {
        sql_ = QStringLiteral("SELECT * FROM ") + quoted(source_.trimmed());
    } else {
        sql_ = source_.trimmed();
        while (sql_.endsWith(u';')) {
            sql_ = sql_.left(sql_.size() - 1).trimmed();
        }
    }
    SqlStatement query(db_->handle(), sql_);
    if (!query.isValid()) {
        failOn(query);
        return false;
    }
    if (query.hasTrailingText() || !query.isReadOnly()) {
        fail(QStringLiteral("la richiesta non è un'unica interrogazione (SELECT)."));
        return false;
    }
    for (int c = 0; c < query.columnCount(); ++c) {
        fields_ << query.columnName(c);
        if (keyColumn_ < 0 &&
            fields_.last().compare(SongDatabase::kKeyField, Qt::CaseInsensitive) == 0) {
            keyColumn_ = c;
        }
    }
    if (keyColumn_ < 0) {
        // No key: a small computed result, read whole and not updatable.
        while (query.next()) {
            QVector<QVariant> row(fields_.size());
            for (int c = 0; c < fields_.size(); ++c) {
                row[c] = query.value(c);
            }
            rows_.push_back(std::move(row));
        }
        if (!query.error().isEmpty()) {
            failOn(query);
            return false;
        }
        pos_ = rows_.empty() ? -1 : 0;
        return true;
    }
    // The keys in order, with the field the set is sorted by when it is a list.
    const int sortField = fieldIndex(sortFieldHint());
    const int sortColumn = sortField >= 0 ? searchColumn(sortField) : -1;
    QString keysSql = QStringLiteral("SELECT %1").arg(quoted(fields_[keyColumn_]));
    if (sortColumn >= 0) {
        keysSql += QStringLiteral(", ") + quoted(fields_[sortColumn]);
    }
    SqlStatement keys(db_->handle(), keysSql + QStringLiteral(" FROM (%1)").arg(sql_));
    Column sortCache;
    while (keys.next()) {
        ids_.push_back(keys.integer(0));
        if (sortColumn >= 0) {
            sortCache.cells.push_back(cellOf(keys, 1, sortColumn != sortField));
        }
    }
    if (!keys.error().isEmpty() || !keys.isValid()) {
        failOn(keys);
        return false;
    }
    if (sortColumn >= 0) {
        columns_.emplace(sortColumn, std::move(sortCache));
    }
    pos_ = ids_.empty() ? -1 : 0;
    loadedAt_ = stamp();
    return true;
}

void RowSet::failOn(const SqlStatement& statement) {
    // A list that is not in the file (another program may have dropped it) is
    // named; the engine finds out only when the statement is prepared or first run.
    const bool missing = isName(source_) && (statement.errorCode() & 0xFF) == SQLITE_ERROR &&
                         !hasObject(source_.trimmed());
    fail(missing ? QStringLiteral("l'elenco \"%1\" manca nell'archivio.").arg(source_.trimmed())
                 : statement.error());
}

bool RowSet::hasObject(const QString& name) const {
    SqlStatement q(db_->handle(),
                   QStringLiteral("SELECT 1 FROM sqlite_master WHERE name = ? COLLATE NOCASE"));
    q.bind(1, name);
    return q.next();
}

std::pair<qint64, qint64> RowSet::stamp() const {
    SqlStatement version(db_->handle(), QStringLiteral("PRAGMA data_version"));
    const qint64 v = version.next() ? version.integer(0) : -1;
    version.reset();
    return {v, sqlite3_total_changes64(db_->handle())};
}

bool RowSet::isUnchanged() const {
    return db_ && loadedAt_.first >= 0 && stamp() == loadedAt_;
}

QString RowSet::sortFieldHint() const {
    // The alphabetical lists and the queries that filter them keep their order.
    static const QRegularExpression from(
        QStringLiteral("\\bFROM\\s+\\[?\"?(ListaTitoli|ListaAutore)\\b"),
        QRegularExpression::CaseInsensitiveOption);
    static const QRegularExpression orderBy(QStringLiteral("\\bORDER\\s+BY\\b"),
                                            QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch m = from.match(sql_);
    if (!m.hasMatch() || orderBy.match(sql_).hasMatch()) {
        return {};
    }
    return m.captured(1).compare(u"ListaAutore", Qt::CaseInsensitive) == 0
               ? QStringLiteral("Autore")
               : QStringLiteral("Titoli");
}

int RowSet::fieldIndex(const QString& field) const {
    if (field.isEmpty()) {
        return -1;
    }
    for (int c = 0; c < fields_.size(); ++c) {
        if (fields_[c].compare(field, Qt::CaseInsensitive) == 0) {
            return c;
        }
    }
    return -1;
}

bool RowSet::setAbsolutePosition(int position) {
    if (position < 0 || position >= rowCount()) {
        return false;
    }
    cancelUpdate();
    pos_ = position;
    return true;
}

void RowSet::moveFirst() {
    cancelUpdate();
    pos_ = rowCount() > 0 ? 0 : -1;
}

void RowSet::moveLast() {
    cancelUpdate();
    pos_ = rowCount() - 1;
}

void RowSet::moveNext() {
    cancelUpdate();
    pos_ = std::min(pos_ + 1, rowCount());
}

void RowSet::movePrevious() {
    cancelUpdate();
    pos_ = std::max(pos_ - 1, -1);
}

const QVector<QVariant>* RowSet::fetch(int row) const {
    if (row < 0 || row >= rowCount()) {
        return nullptr;
    }
    if (keyColumn_ < 0) {
        return &rows_[size_t(row)];
    }
    auto it = cache_.constFind(row);
    if (it != cache_.constEnd()) {
        return &it.value();
    }
    if (!fetchById_.isValid()) {
        fetchById_ = SqlStatement(db_->handle(), QStringLiteral("SELECT * FROM (%1) WHERE %2 = ?")
                                                     .arg(sql_, quoted(fields_[keyColumn_])));
    }
    fetchById_.bind(1, QVariant(qlonglong(ids_[size_t(row)])));
    QVector<QVariant> values(fields_.size());
    if (fetchById_.next()) {
        for (int c = 0; c < fields_.size(); ++c) {
            values[c] = fetchById_.value(c);
        }
    } else {
        // The song left the source since the set was opened: keep its key only.
        values[keyColumn_] = QVariant(qlonglong(ids_[size_t(row)]));
    }
    fetchById_.reset();
    if (cache_.size() >= kCacheRows) {
        cache_.clear();
    }
    return &cache_.insert(row, values).value();
}

QVariant RowSet::value(const QString& field) const {
    if (!hasCurrentRow()) {
        return {};
    }
    return valueAt(pos_, fieldIndex(field));
}

QVariant RowSet::valueAt(int row, int column) const {
    if (column < 0 || column >= fields_.size()) {
        return {};
    }
    const QVector<QVariant>* values = fetch(row);
    return values ? values->at(column) : QVariant();
}

QVector<QVariant> RowSet::values(const QString& field) const {
    const int column = fieldIndex(field);
    QVector<QVariant> out;
    if (column < 0) {
        return out;
    }
    out.reserve(rowCount());
    if (keyColumn_ < 0) {
        for (const auto& row : rows_) {
            out << row.at(column);
        }
        return out;
    }
    SqlStatement q(db_->handle(),
                   QStringLiteral("SELECT %1, %2 FROM (%3)")
                       .arg(quoted(fields_[keyColumn_]), quoted(fields_[column]), sql_));
    QHash<qint64, QVariant> byKey;
    byKey.reserve(rowCount());
    while (q.next()) {
        byKey.insert(q.integer(0), q.value(1));
    }
    for (qint64 id : ids_) {
        out << byKey.value(id);
    }
    return out;
}

bool RowSet::edit() {
    if (!hasCurrentRow() || !isUpdatable()) {
        error_ = QStringLiteral("Nessuna riga modificabile.");
        return false;
    }
    editing_ = true;
    pending_.clear();
    return true;
}

bool RowSet::setValue(const QString& field, const QVariant& value) {
    const int column = fieldIndex(field);
    if (!editing_ || column < 0 || column == keyColumn_ ||
        !SongDatabase::songFields().contains(fields_[column])) {
        return false;
    }
    pending_.insert(fields_[column], value);
    return true;
}

void RowSet::cancelUpdate() {
    editing_ = false;
    pending_.clear();
}

bool RowSet::update() {
    if (!editing_ || !hasCurrentRow()) {
        return false;
    }
    QStringList names = pending_.keys();
    names.sort();
    if (names.isEmpty()) {
        editing_ = false;
        return true;
    }
    QStringList sets;
    for (const QString& name : names) {
        sets << quoted(name) + QStringLiteral(" = ?");
    }
    const QString sql = QStringLiteral("UPDATE %1 SET %2 WHERE %3 = ?")
                            .arg(SongDatabase::kSongTable, sets.join(QStringLiteral(", ")),
                                 SongDatabase::kKeyField);
    auto it = updates_.find(sql);
    if (it == updates_.end()) {
        it = updates_.emplace(sql, SqlStatement(db_->handle(), sql)).first;
    }
    SqlStatement& statement = it->second;
    int index = 1;
    for (const QString& name : names) {
        statement.bind(index++, pending_.value(name));
    }
    statement.bind(index, QVariant(qlonglong(ids_[size_t(pos_)])));
    if (!statement.run()) {
        fail(statement.error());
        statement.reset();
        return false;
    }
    statement.reset();
    // A new title or author needs a new sort key (for the next opening of a list).
    if (pending_.contains(QStringLiteral("Titoli")) ||
        pending_.contains(QStringLiteral("Autore"))) {
        db_->repairKeys();
    }
    cache_.remove(pos_);
    for (const QString& name : names) {
        const int field = fieldIndex(name);
        for (int kept : {field, searchColumn(field)}) {
            auto column = columns_.find(kept);
            if (column != columns_.end()) {
                column->second.cells[size_t(pos_)] = cellOf(pending_.value(name));
                column->second.sorted = -1;
            }
        }
    }
    cancelUpdate();
    return true;
}
