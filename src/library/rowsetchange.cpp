// One song changed in the library, shown without reading the whole list again: in
// an alphabetical list (or a filter of one) the song leaves its old place and goes
// to the place its sort key gives among the kept keys. Where that place is not
// certain (a tie with another song, a song without a title) the caller reloads.
#include <algorithm>

#include "library/rowset.h"
#include "library/songdatabase.h"

namespace {

QString quotedField(const QString& name) {
    return u'"' + QString(name).replace(u'"', QStringLiteral("\"\"")) + u'"';
}

}  // namespace

int RowSet::rowOfKey(qint64 id) const {
    if (keyColumn_ < 0) {
        return -1;
    }
    const auto it = std::find(ids_.begin(), ids_.end(), id);
    return it == ids_.end() ? -1 : int(it - ids_.begin());
}

bool RowSet::applyChange(qint64 id) {
    if (!db_ || keyColumn_ < 0 || editing_ || id < 0) {
        return false;
    }
    const int sortField = fieldIndex(sortFieldHint());
    if (sortField < 0) {
        return false;
    }
    const int sortColumn = searchColumn(sortField);
    const auto kept = columns_.find(sortColumn);
    if (kept == columns_.end()) {
        return false;
    }
    Column& order = kept->second;
    if (order.sorted < 0) {
        order.sorted = isSorted(order) ? 1 : 0;
    }
    if (order.sorted != 1 || order.cells.size() != ids_.size()) {
        return false;
    }
    // Whether the source holds the song now, and under which key.
    SqlStatement q(db_->handle(), QStringLiteral("SELECT %1 FROM (%2) WHERE %3 = ?")
                                      .arg(quotedField(fields_[sortColumn]), sql_,
                                           quotedField(fields_[keyColumn_])));
    q.bind(1, QVariant(qlonglong(id)));
    const bool present = q.next();
    if (!q.isValid() || !q.error().isEmpty()) {
        return false;
    }
    Cell now;
    if (present) {
        now = cellOf(q, 0, sortColumn != sortField);
        if (now.kind != Cell::Text) {
            return false;
        }
    }
    const int old = rowOfKey(id);
    std::vector<Cell>& cells = order.cells;
    size_t insertAt = 0;
    if (present) {
        // Nulls come first, then the texts in ascending key order.
        const auto firstText = std::find_if(cells.begin(), cells.end(),
                                            [](const Cell& c) { return c.kind == Cell::Text; });
        const auto lo =
            std::lower_bound(firstText, cells.end(), now.key,
                             [](const Cell& c, const std::string& v) { return c.key < v; });
        const auto hi =
            std::upper_bound(lo, cells.end(), now.key,
                             [](const std::string& v, const Cell& c) { return v < c.key; });
        const auto equal = hi - lo;
        const bool oldInRange = old >= lo - cells.begin() && old < hi - cells.begin();
        if (equal - (oldInRange ? 1 : 0) > 0) {
            return false;  // the list's own order decides between equal keys
        }
        insertAt = size_t(lo - cells.begin());
        if (old >= 0 && size_t(old) < insertAt) {
            --insertAt;
        }
    } else if (old < 0) {
        return true;  // neither here before nor now
    }
    const qint64 current = hasCurrentRow() ? ids_[size_t(pos_)] : -1;
    if (old >= 0) {
        ids_.erase(ids_.begin() + old);
        cells.erase(cells.begin() + old);
    }
    if (present) {
        ids_.insert(ids_.begin() + qsizetype(insertAt), id);
        cells.insert(cells.begin() + qsizetype(insertAt), std::move(now));
    }
    // Rows read so far and other kept columns are by position: read them again.
    cache_.clear();
    for (auto it = columns_.begin(); it != columns_.end();) {
        it = it->first == sortColumn ? std::next(it) : columns_.erase(it);
    }
    const int row = rowOfKey(current);
    pos_ = row >= 0 ? row : std::min(pos_, rowCount() - 1);
    if (rowCount() == 0) {
        pos_ = -1;
    }
    return true;
}
