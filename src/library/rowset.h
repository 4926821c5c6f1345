#pragma once

#include <QHash>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <QVector>
#include <memory>
#include <unordered_map>
#include <vector>

#include "library/criterion.h"
#include "library/sqlstatement.h"

class SongDatabase;

// The rows of a record source (a list name such as "ListaTitoli" or a query text
// such as "SELECT * FROM ListaTitoli WHERE Temp = -1"), in the source's order, with
// a current row: navigable, updatable and searchable. The song keys are loaded in
// order when the set is opened and the rows are read lazily, a few at a time, so a
// set of 100,000 songs opens quickly. Edits are written through to the song table
// by key. The rows stay as opened (a changed song keeps its place) until the set is
// opened again. GUI thread only.
class RowSet {
public:
    // Opens source on db. Never null: on failure the set is empty and error() tells
    // why, in Italian, naming the file.
    static std::shared_ptr<RowSet> open(std::shared_ptr<SongDatabase> db, const QString& source);
    // An empty set for source (a database that could not be opened, say).
    static std::shared_ptr<RowSet> empty(const QString& source, const QString& error = {});

    QString source() const { return source_; }
    QString error() const { return error_; }
    std::shared_ptr<SongDatabase> database() const { return db_; }

    const QStringList& fields() const { return fields_; }
    int fieldIndex(const QString& field) const;  // -1 when the set has no such field
    int keyColumn() const { return keyColumn_; }
    bool isUpdatable() const { return db_ && keyColumn_ >= 0; }
    int rowCount() const { return int(ids_.size() + rows_.size()); }

    // True while nothing was written to the library since the set was opened (by
    // this or any other connection): the rows are still those a reload would give.
    bool isUnchanged() const;

    // Navigation. Positions count from 0; before the first row is bof(), after the
    // last is eof(); an empty set is both.
    bool bof() const { return rowCount() == 0 || pos_ < 0; }
    bool eof() const { return rowCount() == 0 || pos_ >= rowCount(); }
    bool hasCurrentRow() const { return !bof() && !eof(); }
    int absolutePosition() const { return hasCurrentRow() ? pos_ : -1; }
    bool setAbsolutePosition(int position);  // false (nothing moves) when out of range
    void moveFirst();
    void moveLast();
    void moveNext();      // past the last row: eof()
    void movePrevious();  // before the first row: bof()

    // A field of the current row by name; null when it is null, when there is no
    // current row or no such field.
    QVariant value(const QString& field) const;
    QVariant valueAt(int row, int column) const;

    // One field of every row, in the set's order, read in one pass (for passes
    // over many rows); empty on failure.
    QVector<QVariant> values(const QString& field) const;

    // Editing the current row: edit(), setValue() for each field, update() to store.
    bool edit();
    bool setValue(const QString& field, const QVariant& value);
    bool update();
    void cancelUpdate();
    bool isEditing() const { return editing_; }

    // Makes the first row (in the set's order) that meets the criterion current and
    // returns true; otherwise the current row stays and noMatch() is true. On a set
    // in order of the criterion's field this is a binary search.
    bool findFirst(const Criterion& criterion);
    bool findFirst(const QString& criterionText);
    bool noMatch() const { return noMatch_; }

    // The row of the song with key id, -1 when the set holds none (or has no key).
    int rowOfKey(qint64 id) const;
    // The song id was added, changed or removed in the library: an alphabetical
    // list puts it where a reload would (or leaves it out) without reading the other
    // rows again, and keeps the current row on the same song. False, with nothing
    // changed, when the set cannot tell that place for certain: then reload it.
    bool applyChange(qint64 id);

private:
    struct Cell {
        enum Kind : unsigned char { Null, Number, Text } kind = Null;
        double number = 0;
        std::string key;
    };
    struct Column {
        std::vector<Cell> cells;
        int sorted = -1;  // unknown, 0 no, 1 yes (texts in ascending key order)
    };

    RowSet() = default;
    bool load();
    std::pair<qint64, qint64> stamp() const;
    bool hasObject(const QString& name) const;
    void failOn(const SqlStatement& statement);
    QString sortFieldHint() const;
    const QVector<QVariant>* fetch(int row) const;
    Column* columnCache(int column);
    static Cell cellOf(const QVariant& value);
    static Cell cellOf(const SqlStatement& q, int column, bool folded);
    int searchColumn(int field) const;
    static bool isSorted(const Column& c);
    int firstMatch(Column& column, const Criterion& criterion) const;
    void fail(const QString& detail);

    std::shared_ptr<SongDatabase> db_;
    QString source_;
    QString sql_;
    QString error_;
    QStringList fields_;
    int keyColumn_ = -1;
    std::vector<qint64> ids_;              // the rows by key, when the set has a key
    std::vector<QVector<QVariant>> rows_;  // the rows themselves, when it has none
    int pos_ = -1;
    std::pair<qint64, qint64> loadedAt_{-1, -1};
    bool noMatch_ = false;

    mutable SqlStatement fetchById_;
    mutable QHash<int, QVector<QVariant>> cache_;
    std::unordered_map<int, Column> columns_;

    bool editing_ = false;
    QHash<QString, QVariant> pending_;
    std::unordered_map<QString, SqlStatement> updates_;
};
