#include "editor/runningordermodel.h"

#include <QMimeData>

#include "platform/numbertext.h"

namespace {

const QString kMime = QStringLiteral("application/x-quintora-song");

}  // namespace

RunningOrderModel::RunningOrderModel(QObject* parent) : QAbstractTableModel(parent) {}

void RunningOrderModel::show(const QVector<LibraryWriter::Summary>& songs, int list) {
    beginResetModel();
    songs_ = songs;
    list_ = list;
    endResetModel();
}

qint64 RunningOrderModel::idAt(int row) const {
    return row >= 0 && row < songs_.size() ? songs_[row].id : -1;
}

int RunningOrderModel::rowOf(qint64 id) const {
    for (int i = 0; i < songs_.size(); ++i) {
        if (songs_[i].id == id) {
            return i;
        }
    }
    return -1;
}

int RunningOrderModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : int(songs_.size());
}

int RunningOrderModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : 5;
}

QVariant RunningOrderModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= songs_.size()) {
        return {};
    }
    const LibraryWriter::Summary& s = songs_[index.row()];
    if (role == kIdRole) {
        return s.id;
    }
    if (role != Qt::DisplayRole && role != Qt::AccessibleTextRole) {
        return {};
    }
    switch (index.column()) {
        case 0:
            return QString::number(s.places[size_t(list_ - 1)]);
        case 1:
            return s.title;
        case 2:
            return s.author;
        case 3:
            return s.bpm.isNull() ? QString() : NumberText::format(s.bpm.toDouble());
        default:
            return s.loop ? QStringLiteral("Loop") : QStringLiteral("Mp3");
    }
}

QVariant RunningOrderModel::headerData(int section, Qt::Orientation orientation, int role) const {
    static const QStringList kHeaders = {QStringLiteral("N°"), QStringLiteral("Titolo"),
                                         QStringLiteral("Autore"), QStringLiteral("BPM"),
                                         QStringLiteral("Tipo")};
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole && section >= 0 && section < 5) {
        return kHeaders[section];
    }
    return {};
}

Qt::ItemFlags RunningOrderModel::flags(const QModelIndex& index) const {
    if (!index.isValid()) {
        return Qt::ItemIsDropEnabled;  // below the last row: to the end
    }
    return Qt::ItemIsSelectable | Qt::ItemIsEnabled | Qt::ItemIsDragEnabled | Qt::ItemIsDropEnabled;
}

QStringList RunningOrderModel::mimeTypes() const {
    return {kMime};
}

QMimeData* RunningOrderModel::mimeData(const QModelIndexList& indexes) const {
    if (indexes.isEmpty() || idAt(indexes.first().row()) < 0) {
        return nullptr;
    }
    auto* mime = new QMimeData;
    mime->setData(kMime, QByteArray::number(idAt(indexes.first().row())));
    return mime;
}

qint64 RunningOrderModel::draggedId(const QMimeData* data) const {
    if (!data || !data->hasFormat(kMime)) {
        return -1;
    }
    bool ok = false;
    const qint64 id = data->data(kMime).toLongLong(&ok);
    return ok && rowOf(id) >= 0 ? id : -1;
}

bool RunningOrderModel::canDropMimeData(const QMimeData* data, Qt::DropAction, int, int,
                                        const QModelIndex&) const {
    return draggedId(data) >= 0;
}

bool RunningOrderModel::dropMimeData(const QMimeData* data, Qt::DropAction action, int row, int,
                                     const QModelIndex& parent) {
    const qint64 id = draggedId(data);
    if (id < 0 || action == Qt::IgnoreAction) {
        return false;
    }
    const int from = rowOf(id);
    const int last = int(songs_.size()) - 1;
    int to = last;
    if (parent.isValid()) {
        to = parent.row();  // dropped onto a row: it takes that row's place
    } else if (row >= 0) {
        to = row > from ? row - 1 : row;  // dropped between rows
    }
    to = std::clamp(to, 0, last);
    if (to != from && onMove) {
        onMove(id, to);
    }
    return true;
}

Qt::DropActions RunningOrderModel::supportedDropActions() const {
    return Qt::MoveAction | Qt::CopyAction;
}

Qt::DropActions RunningOrderModel::supportedDragActions() const {
    return Qt::MoveAction;
}
