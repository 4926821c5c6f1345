#pragma once

#include <QString>
#include <QStringList>

// The demo library: a working folder filled on first use so the program can be
// tried at once (about 25 songs, looping WAV grooves, MP3 backing tracks in two
// MP3 folders, five running orders and the help document `Quintora.wri`). GUI
// thread only; takes a few seconds.
namespace DemoLibrary {

struct Result {
    QString pathLavoro;       // the working folder, ending in the separator
    QStringList cartelleMp3;  // the MP3 folders, each ending in the separator
    QString error;            // empty on success, otherwise an Italian text
};

// Fills workFolder (created when missing; "MP3/Italiane" and "MP3/Internazionali"
// inside it hold the MP3s). Files already there are never replaced; an existing
// library (Songs.mdb in any case) is left as it is and gets no songs.
Result create(const QString& workFolder);

// The help document's text (RTF, Italian).
QByteArray helpDocument();

}  // namespace DemoLibrary
