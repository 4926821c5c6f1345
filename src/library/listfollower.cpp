#include "library/listfollower.h"

#include "library/aggiornadbg.h"
#include "library/datasource.h"

namespace {
const QString kKey = QStringLiteral("Id");
}

ListFollower::ListFollower(DataSource& data, AggiornaDBG& refresh, QObject* parent)
    : QObject(parent), data_(data), refresh_(refresh) {}

void ListFollower::follow(qint64 song) {
    update(song, true);
}

void ListFollower::keep(qint64 changed) {
    update(changed, false);
}

void ListFollower::update(qint64 changed, bool showChanged) {
    const QVariant highlighted = data_.value(kKey);
    const int row = data_.absolutePosition();
    if (changed >= 0) {
        refresh_.follow(changed);
    } else {
        refresh_.run();
    }
    if (showChanged && data_.moveToKey(changed)) {
        return;
    }
    if (!highlighted.isNull() && data_.moveToKey(highlighted.toLongLong())) {
        return;
    }
    if (row >= 0 && data_.rowCount() > 0) {
        data_.setAbsolutePosition(std::min(row, data_.rowCount() - 1));
    }
}
