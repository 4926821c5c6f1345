// Find-first of RowSet: the column of the criterion's field is read once per set
// (in one pass, in the set's order) and kept as sort keys; a set in order of that
// field is then searched by bisection, any other by a scan of the kept keys.
#include <algorithm>
#include <optional>
#include <unordered_map>

#include "library/rowset.h"
#include "library/songdatabase.h"
#include "library/songfold.h"

namespace {

QString quotedName(const QString& name) {
    return u'"' + QString(name).replace(u'"', QStringLiteral("\"\"")) + u'"';
}

}  // namespace

RowSet::Cell RowSet::cellOf(const QVariant& value) {
    Cell cell;
    if (value.isNull()) {
        return cell;
    }
    switch (value.typeId()) {
        case QMetaType::Bool:
            cell.kind = Cell::Number;
            cell.number = value.toBool() ? -1 : 0;
            break;
        case QMetaType::Int:
        case QMetaType::LongLong:
        case QMetaType::Double:
            cell.kind = Cell::Number;
            cell.number = value.toDouble();
            break;
        default:
            cell.kind = Cell::Text;
            cell.key = SongFold::key(value.toString());
    }
    return cell;
}

RowSet::Cell RowSet::cellOf(const SqlStatement& q, int column, bool folded) {
    if (q.isText(column)) {
        Cell cell;
        cell.kind = Cell::Text;
        cell.key = folded ? std::string(q.text(column)) : SongFold::key(q.text(column));
        return cell;
    }
    return cellOf(q.value(column));
}

int RowSet::searchColumn(int field) const {
    // A field with a stored sort key is searched by that key.
    const int key = fieldIndex(QStringLiteral("Chiave") + fields_[field]);
    return key >= 0 ? key : field;
}

RowSet::Column* RowSet::columnCache(int column) {
    auto it = columns_.find(column);
    if (it != columns_.end()) {
        return &it->second;
    }
    if (keyColumn_ < 0) {
        Column c;
        for (const auto& row : rows_) {
            c.cells.push_back(cellOf(row.at(column)));
        }
        return &columns_.emplace(column, std::move(c)).first->second;
    }
    SqlStatement q(db_->handle(),
                   QStringLiteral("SELECT %1, %2 FROM (%3)")
                       .arg(quotedName(fields_[keyColumn_]), quotedName(fields_[column]), sql_));
    // Keyed by song, so a song that moved or left since the set was opened is
    // still found in its place (or counts as null).
    std::unordered_map<qint64, Cell> byKey;
    byKey.reserve(ids_.size());
    const bool folded = fields_[column].startsWith(u"Chiave");
    while (q.next()) {
        byKey.emplace(q.integer(0), cellOf(q, 1, folded));
    }
    if (!q.isValid() || !q.error().isEmpty()) {
        fail(q.error());
        return nullptr;
    }
    Column c;
    c.cells.resize(ids_.size());
    for (size_t i = 0; i < ids_.size(); ++i) {
        auto found = byKey.find(ids_[i]);
        if (found != byKey.end()) {
            c.cells[i] = std::move(found->second);
        }
    }
    return &columns_.emplace(column, std::move(c)).first->second;
}

bool RowSet::isSorted(const Column& c) {
    const Cell* previous = nullptr;
    for (const Cell& cell : c.cells) {
        if (cell.kind == Cell::Number) {
            return false;  // only text columns are searched by bisection
        }
        if (cell.kind == Cell::Text) {
            if (previous && previous->key > cell.key) {
                return false;
            }
            previous = &cell;
        } else if (previous) {
            return false;  // nulls only before the first text
        }
    }
    return true;
}

namespace {

bool meets(Criterion::Op op, int c) {
    switch (op) {
        case Criterion::Op::Equal:
            return c == 0;
        case Criterion::Op::NotEqual:
            return c != 0;
        case Criterion::Op::Less:
            return c < 0;
        case Criterion::Op::LessEqual:
            return c <= 0;
        case Criterion::Op::Greater:
            return c > 0;
        case Criterion::Op::GreaterEqual:
            return c >= 0;
    }
    return false;
}

}  // namespace

int RowSet::firstMatch(Column& column, const Criterion& criterion) const {
    const bool isText = criterion.value.typeId() == QMetaType::QString;
    bool valueIsNumber = !isText && !criterion.value.isNull();
    double valueNumber = criterion.value.toDouble();
    if (isText) {
        bool ok = false;
        valueNumber = criterion.value.toString().toDouble(&ok);
        valueIsNumber = ok;
    }
    const std::string valueKey = SongFold::key(criterion.value.toString());
    // A null cell meets no criterion; a number compares numerically with a value
    // that reads as one, anything else by its text key.
    auto test = [&](const Cell& cell) {
        if (cell.kind == Cell::Null) {
            return false;
        }
        int c = 0;
        if (cell.kind == Cell::Number && valueIsNumber) {
            c = cell.number < valueNumber ? -1 : cell.number > valueNumber ? 1 : 0;
        } else {
            const std::string key =
                cell.kind == Cell::Number ? SongFold::key(QString::number(cell.number)) : cell.key;
            c = key.compare(valueKey);
        }
        return meets(criterion.op, c);
    };
    const Criterion::Op op = criterion.op;
    if (column.sorted < 0) {
        column.sorted = isSorted(column) ? 1 : 0;
    }
    if (column.sorted == 1 && isText &&
        (op == Criterion::Op::GreaterEqual || op == Criterion::Op::Greater ||
         op == Criterion::Op::Equal)) {
        // Nulls first, then texts in ascending key order.
        auto firstText = std::find_if(column.cells.begin(), column.cells.end(),
                                      [](const Cell& c) { return c.kind == Cell::Text; });
        auto it =
            op == Criterion::Op::Greater
                ? std::upper_bound(firstText, column.cells.end(), valueKey,
                                   [](const std::string& v, const Cell& c) { return v < c.key; })
                : std::lower_bound(firstText, column.cells.end(), valueKey,
                                   [](const Cell& c, const std::string& v) { return c.key < v; });
        if (it == column.cells.end() || !test(*it)) {
            return -1;
        }
        return int(it - column.cells.begin());
    }
    for (size_t i = 0; i < column.cells.size(); ++i) {
        if (test(column.cells[i])) {
            return int(i);
        }
    }
    return -1;
}

bool RowSet::findFirst(const Criterion& criterion) {
    noMatch_ = true;
    const int field = fieldIndex(criterion.field);
    if (field < 0 || rowCount() == 0) {
        return false;
    }
    Column* column = columnCache(searchColumn(field));
    if (!column) {
        return false;
    }
    const int row = firstMatch(*column, criterion);
    if (row < 0) {
        return false;
    }
    cancelUpdate();
    pos_ = row;
    noMatch_ = false;
    return true;
}

bool RowSet::findFirst(const QString& criterionText) {
    const std::optional<Criterion> criterion = Criterion::parse(criterionText);
    if (!criterion) {
        noMatch_ = true;
        return false;
    }
    return findFirst(*criterion);
}
