#include "library/songgrid.h"

#include <QHeaderView>

#include "library/datasource.h"
#include "library/songtablemodel.h"

namespace {

// Counts the program's own changes so that they send no user notifications.
struct Quiet {
    explicit Quiet(int& n) : n_(n) { ++n_; }
    ~Quiet() { --n_; }
    int& n_;
};

}  // namespace

SongGrid::SongGrid(const QString& name, QWidget* parent) : QTableView(parent) {
    setObjectName(name);
    setAccessibleName(name);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setAlternatingRowColors(false);
    setWordWrap(false);
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 4);
    verticalHeader()->hide();
    horizontalHeader()->setHighlightSections(false);
    horizontalHeader()->setStretchLastSection(false);
    connect(horizontalHeader(), &QHeaderView::sectionResized, this, &SongGrid::onSectionResized);
}

SongGrid::~SongGrid() = default;

void SongGrid::setDataSource(DataSource* data) {
    if (data_) {
        disconnect(data_, nullptr, this, nullptr);
    }
    Quiet quiet(quiet_);
    data_ = data;
    auto* old = model_;
    model_ = new SongTableModel(data, this);
    setModel(model_);
    delete old;
    // A reset rebuilds the header's sections: not a user resize.
    connect(model_, &QAbstractItemModel::modelAboutToBeReset, this, [this] { ++quiet_; });
    connect(model_, &QAbstractItemModel::modelReset, this, [this] { --quiet_; });
    if (data_) {
        // The model resets itself first (it connected first), then the grid follows.
        connect(data_, &DataSource::reloaded, this, [this] {
            Quiet q(quiet_);
            syncSelection();
        });
        connect(data_, &DataSource::currentRowChanged, this, &SongGrid::followDataSource);
    }
    connect(selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex& current) {
                if (quiet_ == 0 && data_ && current.isValid()) {
                    data_->setAbsolutePosition(current.row());
                }
            });
    syncSelection();
}

void SongGrid::syncSelection() {
    const int row = data_ ? data_->absolutePosition() : -1;
    if (row < 0 || !model_ || row >= model_->rowCount()) {
        selectionModel()->clearSelection();
        selectionModel()->setCurrentIndex(QModelIndex(), QItemSelectionModel::Clear);
        return;
    }
    int column = currentIndex().isValid() ? currentIndex().column() : 0;
    while (column < model_->columnCount() - 1 && isColumnHidden(column)) {
        ++column;
    }
    const QModelIndex index = model_->index(row, column);
    selectionModel()->setCurrentIndex(
        index, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    scrollTo(index);
}

void SongGrid::followDataSource(int position) {
    {
        Quiet quiet(quiet_);
        if (currentRow() != position || position < 0) {
            syncSelection();
        }
    }
    emit rowChanged(position);
}

int SongGrid::currentRow() const {
    const QModelIndex index = currentIndex();
    return index.isValid() ? index.row() : -1;
}

bool SongGrid::hasField(const QString& field) const {
    return model_ && model_->columnOf(field) >= 0;
}

bool SongGrid::setFieldVisible(const QString& field, bool visible) {
    const int column = model_ ? model_->columnOf(field) : -1;
    if (column < 0) {
        return false;
    }
    Quiet quiet(quiet_);
    setColumnHidden(column, !visible);
    return true;
}

bool SongGrid::isFieldVisible(const QString& field) const {
    const int column = model_ ? model_->columnOf(field) : -1;
    return column >= 0 && !isColumnHidden(column);
}

int SongGrid::fieldWidth(const QString& field) const {
    const int column = model_ ? model_->columnOf(field) : -1;
    if (column < 0) {
        return -1;
    }
    if (isColumnHidden(column)) {
        return widths_.value(model_->fieldOf(column), horizontalHeader()->defaultSectionSize());
    }
    return columnWidth(column);
}

bool SongGrid::setFieldWidth(const QString& field, int pixels) {
    const int column = model_ ? model_->columnOf(field) : -1;
    if (column < 0 || pixels <= 0) {
        return false;
    }
    Quiet quiet(quiet_);
    widths_.insert(model_->fieldOf(column), pixels);
    if (isColumnHidden(column)) {
        // A hidden section takes its width when shown again.
        setColumnHidden(column, false);
        setColumnWidth(column, pixels);
        setColumnHidden(column, true);
    } else {
        setColumnWidth(column, pixels);
    }
    return true;
}

void SongGrid::onSectionResized(int section, int, int newSize) {
    if (!model_ || newSize <= 0 || isColumnHidden(section)) {
        return;
    }
    const QString field = model_->fieldOf(section);
    widths_.insert(field, newSize);
    if (quiet_ == 0) {
        emit columnResized(field, newSize);
    }
}

void SongGrid::setGridFont(const QFont& font) {
    setFont(font);
    horizontalHeader()->setFont(font);
    verticalHeader()->setDefaultSectionSize(QFontMetrics(font).height() + 4);
}

void SongGrid::setBackColor(const QColor& color) {
    QPalette p = palette();
    p.setColor(QPalette::Base, color);
    setPalette(p);
}

QColor SongGrid::backColor() const {
    return palette().color(QPalette::Base);
}

void SongGrid::setForeColor(const QColor& color) {
    QPalette p = palette();
    p.setColor(QPalette::Text, color);
    setPalette(p);
}

QColor SongGrid::foreColor() const {
    return palette().color(QPalette::Text);
}
