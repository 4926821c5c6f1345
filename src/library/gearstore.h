#pragma once

#include <QHash>
#include <QSet>
#include <QString>
#include <QStringList>

#include "library/gearmessage.h"

class SongDatabase;

// The messages for other gear as the library file keeps them: the table
// `MessaggiMidi` (one row per message, in `Ordine` within its song `Brano`) and the
// table `PorteMidi` (per output port, whether its device counts programs from 1).
// Rows another SQLite client wrote that cannot be sent as they stand (an unknown
// `Tipo`, a value out of range, a null where a value belongs) are skipped when read.
// A file of an earlier version (read as it is on a disk that cannot be written)
// has no messages. The writes run inside the caller's transaction (LibraryWriter).
// GUI thread only.
namespace GearStore {

inline const QString kMessages = QStringLiteral("MessaggiMidi");
inline const QString kPorts = QStringLiteral("PorteMidi");

// The messages of song, in order. Empty with *error (the file's read error) when
// the file cannot be read.
GearMessages read(SongDatabase& db, qint64 song, QString* error);
// The messages of every song that has any, by song.
QHash<qint64, GearMessages> readAll(SongDatabase& db, QString* error);
// The ports each song's messages name (not the empty name), each once, in the
// order of their first message; one query for the whole library.
QHash<qint64, QStringList> portsBySong(SongDatabase& db, QString* error);
// The ports whose devices count programs from 1.
QSet<QString> countingFromOne(SongDatabase& db, QString* error);

// Song's messages become exactly messages. False with *why on failure.
bool write(SongDatabase& db, qint64 song, const GearMessages& messages, QString* why);
bool setCountsFromOne(SongDatabase& db, const QString& port, bool fromOne, QString* why);

}  // namespace GearStore
