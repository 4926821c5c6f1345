#pragma once

#include <QHash>
#include <QPointer>
#include <QTableView>

#include "library/datasource.h"

class SongTableModel;

// A song grid (`DBGrid1`, `DBGrid2`): a read-only table bound to a data source.
// The highlighted row follows the data source's current row, and moving the
// highlight moves the current row. Columns are addressed by field name; a field
// that the current rows lack is skipped (the call answers false). Column widths
// are in pixels; a column whose width was never set keeps the grid's default
// width. Letters typed into the grid do not move it: the program's own incremental
// search does that. GUI thread only.
class SongGrid : public QTableView {
    Q_OBJECT
public:
    explicit SongGrid(const QString& name, QWidget* parent = nullptr);
    ~SongGrid() override;

    void setDataSource(DataSource* data);
    DataSource* dataSource() const { return data_; }
    SongTableModel* songModel() const { return model_; }

    bool hasField(const QString& field) const;
    bool setFieldVisible(const QString& field, bool visible);
    bool isFieldVisible(const QString& field) const;
    // The width in pixels; for a hidden column the width it has when shown; -1
    // when there is no such column.
    int fieldWidth(const QString& field) const;
    bool setFieldWidth(const QString& field, int pixels);

    void setGridFont(const QFont& font);
    void setBackColor(const QColor& color);
    QColor backColor() const;
    void setForeColor(const QColor& color);
    QColor foreColor() const;

    // Letters typed into the grid do nothing here (see the class comment).
    void keyboardSearch(const QString&) override {}

    // The highlighted row, -1 when none.
    int currentRow() const;

signals:
    // The user resized a column (never sent for the program's own changes).
    void columnResized(const QString& field, int pixels);
    // The highlighted row changed, by the user or by the data source; -1 when none.
    void rowChanged(int row);

private:
    void followDataSource(int position);
    void syncSelection();
    void onSectionResized(int section, int oldSize, int newSize);

    QPointer<DataSource> data_;
    SongTableModel* model_ = nullptr;
    QHash<QString, int> widths_;  // last width of each column while shown
    int quiet_ = 0;               // > 0 while the program itself changes the columns or rows
};
