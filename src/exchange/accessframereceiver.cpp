#include "exchange/accessframereceiver.h"

#include <QDataStream>
#include <algorithm>
#include <limits>

#include "exchange/accessframes.h"

namespace {

using AccessFrames::Kind;
using State = AccessFrameReceiver::State;

State checked(const QDataStream& in, State state) {
    return in.status() == QDataStream::Ok && in.atEnd() ? state : State::Broken;
}

}  // namespace

AccessFrameReceiver::State AccessFrameReceiver::take(const QByteArray& payload) {
    QDataStream in(payload);
    AccessFrames::prepare(in);
    quint8 kind = 0;
    in >> kind;
    if (!hello_ && kind != quint8(Kind::Hello)) {
        return State::Broken;
    }
    switch (Kind(kind)) {
        case Kind::Hello: {
            QString hello;
            in >> hello;
            hello_ = hello == QLatin1String(AccessFrames::kHello);
            return checked(in, hello_ ? State::Reading : State::Broken);
        }
        case Kind::Version:
            in >> table_->version;
            return checked(in, State::Reading);
        case Kind::Table:
            in >> table_->name >> claimed_;
            return checked(in, State::Reading);
        case Kind::Columns:
            if (!AccessFrames::readTexts(in, AccessFrames::kMaxColumns, &table_->columns)) {
                return State::Broken;
            }
            return checked(in, State::Reading);
        case Kind::Rows:
            return rows(in);
        case Kind::Done: {
            quint64 rows = 0;
            in >> rows;
            return checked(in, rows == table_->rows.size() ? State::Done : State::Broken);
        }
        case Kind::Failure:
            in >> failure_;
            return checked(in, failure_.isEmpty() ? State::Broken : State::Failed);
    }
    return State::Broken;
}

int AccessFrameReceiver::estimate() const {
    const quint64 most = quint64(std::numeric_limits<int>::max());
    return int(std::max<quint64>(std::min(claimed_, most), table_->rows.size()));
}

AccessFrameReceiver::State AccessFrameReceiver::rows(QDataStream& in) {
    quint32 count = 0;
    in >> count;
    // Rows after the columns only; the count is believed row by row.
    if (in.status() != QDataStream::Ok || table_->columns.isEmpty()) {
        return State::Broken;
    }
    for (quint32 i = 0; i < count; ++i) {
        QStringList values;
        if (!AccessFrames::readTexts(in, int(table_->columns.size()), &values) ||
            values.size() != table_->columns.size()) {
            return State::Broken;
        }
        table_->rows.push_back(std::move(values));
    }
    if (table_->rows.size() >= size_t(std::numeric_limits<int>::max())) {
        return State::Broken;
    }
    return checked(in, State::Reading);
}
