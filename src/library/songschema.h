#pragma once

#include <QString>
#include <QStringList>

struct sqlite3;

// The library's schema and its migrations. Version 1: the song table `Brani` with
// its sort keys, the seven record sources as views and the indexes that keep them
// fast. Version 2: nothing in the file calls a function of this program, so any
// SQLite client can change it; songs added or changed are noted in a table of their
// own, whose keys the program remakes. Version 3: the messages each song sends to
// other gear (`MessaggiMidi`) and how each output port counts programs
// (`PorteMidi`). Version 4: the loudness of each audio file (`LivelliFile`) and
// each song's trim of it (`LivelliBrano`). Version 5: the songbook each song's page
// is in (`CanzoniereBrano`). GUI thread only.
namespace SongSchema {

// The table of the songs whose sort keys must be remade.
inline const QString kKeysToRemake = QStringLiteral("ChiaviDaRifare");

// The statements that take a file from version `from` to `from + 1`.
QStringList migration(int from);
// The song table's stored fields in order (the key field first).
const QStringList& fields();

}  // namespace SongSchema
