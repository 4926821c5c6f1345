#pragma once

#include <QAbstractTableModel>
#include <QVector>
#include <functional>

#include "library/librarywriter.h"

// The rows of the set-list window: one running order as the library holds it
// (position as stored, gaps included; title, author, BPM, kind). The model only
// shows: a row dropped elsewhere asks onMove to write the new order, and the
// window then shows what the library holds. The view can neither remove, insert
// nor edit a row itself, so whatever a drag ends in (a move, a copy, the view
// taking the dragged rows away afterwards) cannot lose or hide a song.
// GUI thread only.
class RunningOrderModel : public QAbstractTableModel {
    Q_OBJECT
public:
    static constexpr int kIdRole = Qt::UserRole;

    explicit RunningOrderModel(QObject* parent = nullptr);

    // Shows songs (in running order) as the rows; places are taken from list (1..5).
    void show(const QVector<LibraryWriter::Summary>& songs, int list);
    qint64 idAt(int row) const;
    int rowOf(qint64 id) const;

    // The dragged song id is to take row to's place (0 .. rowCount() - 1).
    std::function<void(qint64 id, int to)> onMove;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    QStringList mimeTypes() const override;
    QMimeData* mimeData(const QModelIndexList& indexes) const override;
    bool canDropMimeData(const QMimeData* data, Qt::DropAction action, int row, int column,
                         const QModelIndex& parent) const override;
    bool dropMimeData(const QMimeData* data, Qt::DropAction action, int row, int column,
                      const QModelIndex& parent) override;
    Qt::DropActions supportedDropActions() const override;
    Qt::DropActions supportedDragActions() const override;

private:
    // The song a drag carries, -1 when it is none of this list's.
    qint64 draggedId(const QMimeData* data) const;

    QVector<LibraryWriter::Summary> songs_;
    int list_ = 1;
};
