#include "library/listfollower.h"

#include "library/aggiornadbg.h"
#include "library/criterion.h"
#include "library/datasource.h"

namespace {
const QString kKey = QStringLiteral("Id");
}

ListFollower::ListFollower(DataSource& data, AggiornaDBG& refresh, QObject* parent)
    : QObject(parent), data_(data), refresh_(refresh) {}

bool ListFollower::findSong(qint64 id) {
    return id >= 0 && data_.findFirst(Criterion{kKey, Criterion::Op::Equal, QVariant(id)});
}

void ListFollower::follow(qint64 song) {
    const QVariant highlighted = data_.value(kKey);
    const int row = data_.absolutePosition();
    refresh_.run();
    if (findSong(song)) {
        return;
    }
    if (!highlighted.isNull() && findSong(highlighted.toLongLong())) {
        return;
    }
    if (row >= 0 && data_.rowCount() > 0) {
        data_.setAbsolutePosition(std::min(row, data_.rowCount() - 1));
    }
}
