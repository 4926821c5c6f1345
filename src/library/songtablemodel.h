#pragma once

#include <QAbstractTableModel>
#include <QPointer>

class DataSource;

// The rows of a data source's current row set as a table for a song grid: one
// column per field (the song key is left out), rows read lazily as the grid asks
// for them. Yes/no fields (`Loop`, `Temp`) show as check marks. Read-only. Follows
// the data source's reloads. GUI thread only.
class SongTableModel : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit SongTableModel(DataSource* data, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

    // The model column of a field (case ignored), -1 when the rows have none.
    int columnOf(const QString& field) const;
    QString fieldOf(int column) const;

private:
    void reload();

    QPointer<DataSource> data_;
    QStringList fields_;
    QVector<int> setColumns_;  // model column -> row set column
    int rows_ = 0;
};
