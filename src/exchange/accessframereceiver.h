#pragma once

#include <QByteArray>
#include <QDataStream>
#include <QString>

#include "exchange/accessreaderprocess.h"

// What the Access reading process's frames bring, taken one frame at a time into
// a table: the version, the song table's name and columns, its rows. Nothing is
// believed beyond what the frames hold: a frame of another kind or order, a count
// its frame cannot hold, a row of another width, or an end that does not account
// for the rows received breaks the reading. Any one thread.
class AccessFrameReceiver {
public:
    enum class State { Reading, Done, Failed, Broken };
    explicit AccessFrameReceiver(AccessReaderProcess::Table* table) : table_(table) {}

    // Takes one frame's payload; Reading while more is to come.
    State take(const QByteArray& payload);
    // The total rows shown in the progress: the file's claim, never fewer than read.
    int estimate() const;
    // The reader's reason, once Failed.
    const QString& failure() const { return failure_; }

private:
    State rows(QDataStream& in);

    AccessReaderProcess::Table* table_;
    bool hello_ = false;
    quint64 claimed_ = 0;
    QString failure_;
};
