#include "library/songtablemodel.h"

#include "library/datasource.h"
#include "library/rowset.h"
#include "platform/numbertext.h"

namespace {

bool isYesNo(const QString& field) {
    return field.compare(u"Loop", Qt::CaseInsensitive) == 0 ||
           field.compare(u"Temp", Qt::CaseInsensitive) == 0;
}

}  // namespace

SongTableModel::SongTableModel(DataSource* data, QObject* parent)
    : QAbstractTableModel(parent), data_(data) {
    if (data_) {
        connect(data_, &DataSource::reloaded, this, &SongTableModel::reload);
    }
    reload();
}

void SongTableModel::reload() {
    beginResetModel();
    fields_.clear();
    setColumns_.clear();
    rows_ = 0;
    if (data_) {
        const RowSet& rows = data_->recordset();
        for (int c = 0; c < rows.fields().size(); ++c) {
            // The song key and the stored sort keys are not for the eye.
            if (c != rows.keyColumn() && !rows.fields()[c].startsWith(u"Chiave")) {
                fields_ << rows.fields()[c];
                setColumns_ << c;
            }
        }
        rows_ = rows.rowCount();
    }
    endResetModel();
}

int SongTableModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : rows_;
}

int SongTableModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : int(fields_.size());
}

QVariant SongTableModel::data(const QModelIndex& index, int role) const {
    if (!data_ || !index.isValid() || index.row() >= rows_ || index.column() >= fields_.size()) {
        return {};
    }
    const bool yesNo = isYesNo(fields_[index.column()]);
    if (role == Qt::DisplayRole || role == Qt::ToolTipRole || role == Qt::CheckStateRole) {
        const QVariant value = data_->recordset().valueAt(index.row(), setColumns_[index.column()]);
        if (yesNo) {
            if (role == Qt::CheckStateRole) {
                return value.toDouble() != 0 ? Qt::Checked : Qt::Unchecked;
            }
            return {};
        }
        if (role == Qt::CheckStateRole || value.isNull()) {
            return {};
        }
        if (value.typeId() == QMetaType::Double || value.typeId() == QMetaType::LongLong) {
            return NumberText::format(value.toDouble());
        }
        return value.toString();
    }
    if (role == Qt::TextAlignmentRole) {
        const QString& f = fields_[index.column()];
        const bool number = f == u"Pagina" || f == u"BPM";
        return int((number ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter);
    }
    return {};
}

QVariant SongTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (role != Qt::DisplayRole) {
        return {};
    }
    if (orientation == Qt::Horizontal) {
        return section >= 0 && section < fields_.size() ? QVariant(fields_[section]) : QVariant();
    }
    return section + 1;
}

int SongTableModel::columnOf(const QString& field) const {
    for (int c = 0; c < fields_.size(); ++c) {
        if (fields_[c].compare(field, Qt::CaseInsensitive) == 0) {
            return c;
        }
    }
    return -1;
}

QString SongTableModel::fieldOf(int column) const {
    return fields_.value(column);
}
