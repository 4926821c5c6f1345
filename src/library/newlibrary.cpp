#include "library/newlibrary.h"

#include <QDir>

#include "library/songdatabase.h"
#include "platform/fileprobe.h"

namespace NewLibrary {

QString create(const QString& folder) {
    const QString path = folder + SongDatabase::kFileName;
    if (!FileProbe().storedName(path).isEmpty()) {
        return QStringLiteral("L'archivio dei brani \"%1\" esiste già: non è stato sostituito.")
            .arg(QDir::toNativeSeparators(SongDatabase::locate(folder, FileProbe())));
    }
    if (!QDir().mkpath(folder.isEmpty() ? QStringLiteral(".") : folder)) {
        return QStringLiteral("Impossibile creare la cartella \"%1\".")
            .arg(QDir::toNativeSeparators(folder));
    }
    QString error;
    if (!SongDatabase::open(path, &error, SongDatabase::Mode::Create)) {
        return error;
    }
    return {};
}

}  // namespace NewLibrary
