#include "exchange/accessimport.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <filesystem>
#include <system_error>
#include <vector>

#include "exchange/accessreaderprocess.h"
#include "exchange/accessrows.h"
#include "exchange/librarybackup.h"
#include "exchange/mdbreader.h"
#include "library/songdatabase.h"
#include "platform/fileprobe.h"

namespace {

QString native(const QString& path) {
    return QDir::toNativeSeparators(path);
}

// Renames from to to, replacing a file at to; false when the system refused.
bool replaceRename(const QString& from, const QString& to) {
    std::error_code ec;
    std::filesystem::rename(QFile::encodeName(from).toStdString(),
                            QFile::encodeName(to).toStdString(), ec);
    return !ec;
}

void removeDatabaseFiles(const QString& path) {
    for (const char* suffix : {"", "-journal", "-wal", "-shm"}) {
        QFile::remove(path + QLatin1String(suffix));
    }
}

}  // namespace

QString AccessImport::keptName(const QString& library) {
    const QFileInfo info(library);
    const QString base = info.absolutePath() + QLatin1Char('/') + info.completeBaseName();
    const QString suffix = info.suffix().isEmpty() ? QString() : QLatin1Char('.') + info.suffix();
    QString path = base + QStringLiteral("-access") + suffix;
    for (int n = 2; QFileInfo::exists(path); ++n) {
        path = base + QStringLiteral("-access-%1").arg(n) + suffix;
    }
    return path;
}

AccessImport::Outcome AccessImport::run(const QString& source, const QString& folderIn,
                                        const Progress& progress, AccessReport* report,
                                        QString* error) {
    *report = AccessReport{};
    report->source = QFileInfo(source).absoluteFilePath();
    const auto tick = [&](int done, int total) { return !progress || progress(done, total); };

    // libmdb reads the file in a process of its own: a damaged file that crashes or
    // hangs it ends only that process.
    AccessReaderProcess::Table table;
    switch (AccessReaderProcess::read(source, progress, &table, error)) {
        case AccessReaderProcess::Outcome::Done:
            break;
        case AccessReaderProcess::Outcome::Cancelled:
            return Outcome::Cancelled;
        case AccessReaderProcess::Outcome::Failed:
            return Outcome::Failed;
    }
    report->version = table.version;
    report->table = table.name;
    AccessRows rows;
    if (!rows.map(table.columns, error)) {
        return Outcome::Failed;
    }
    std::vector<SongRecord> songs;
    for (size_t i = 0; i < table.rows.size(); ++i) {
        if (std::optional<SongRecord> s = rows.song(table.rows[i], int(i + 1), &report->problems)) {
            songs.push_back(std::move(*s));
        }
    }
    report->rowsRead = int(table.rows.size());
    table.rows.clear();
    report->songs = int(songs.size());
    if (songs.empty()) {
        // Nothing to bring in: the library in place is worth more than an empty one.
        *error = QStringLiteral(
                     "L'archivio Access \"%1\" non contiene brani da importare "
                     "(righe lette: %2): nulla è stato cambiato.")
                     .arg(native(source))
                     .arg(report->rowsRead);
        return Outcome::Failed;
    }
    for (const SongRecord& s : songs) {
        for (int n = 0; n < 5; ++n) {
            report->perOrder[n] += s.Sca[n].isValid() ? 1 : 0;
        }
    }
    if (!tick(report->rowsRead, report->rowsRead)) {
        return Outcome::Cancelled;
    }

    const QString folder = QDir(folderIn).absolutePath() + QLatin1Char('/');
    if (!QDir().mkpath(folder)) {
        *error = QStringLiteral("Impossibile creare la cartella \"%1\".").arg(native(folder));
        return Outcome::Failed;
    }
    const QString library = SongDatabase::locate(folder, FileProbe());
    const QString temp = folder + SongDatabase::kFileName + QStringLiteral(".importazione");
    removeDatabaseFiles(temp);
    {
        auto db = SongDatabase::open(temp, error, SongDatabase::Mode::Create);
        if (!db || !db->insertSongs(songs, error)) {
            db.reset();
            removeDatabaseFiles(temp);
            return Outcome::Failed;
        }
    }

    // The earlier library steps aside: an Access file keeps its bytes under a name
    // that says what it is; a library of this program is copied first.
    QString kept;
    if (QFileInfo(library).isFile()) {
        if (MdbReader::isAccessFile(library)) {
            kept = keptName(library);
        } else {
            QString backupError;
            report->backup = LibraryBackup::beforeImport(library, &backupError);
            if (report->backup.isEmpty()) {
                // Not a library of this program either (damaged): kept as it is.
                kept = LibraryBackup::nextCopyPath(library);
            }
        }
        if (!kept.isEmpty() && !QFile::rename(library, kept)) {
            removeDatabaseFiles(temp);
            *error = QStringLiteral(
                         "L'archivio \"%1\" non si può rinominare: l'importazione è "
                         "stata annullata e la cartella è come prima.")
                         .arg(native(library));
            return Outcome::Failed;
        }
    }
    if (!replaceRename(temp, library)) {
        if (!kept.isEmpty()) {
            QFile::rename(kept, library);
        }
        removeDatabaseFiles(temp);
        *error = QStringLiteral(
                     "Il nuovo archivio \"%1\" non si può scrivere: l'importazione è "
                     "stata annullata e la cartella è come prima.")
                     .arg(native(library));
        return Outcome::Failed;
    }
    report->library = library;
    if (!kept.isEmpty() && report->backup.isEmpty() && MdbReader::isAccessFile(kept)) {
        report->keptOriginal = kept;
        if (QFileInfo(library).absoluteFilePath() == report->source) {
            report->source = kept;
        }
    } else if (!kept.isEmpty()) {
        report->backup = kept;
    }
    return Outcome::Done;
}
