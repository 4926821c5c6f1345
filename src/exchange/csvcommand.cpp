#include "exchange/csvcommand.h"

#include <QDir>
#include <QFileInfo>
#include <QLocale>
#include <cstdio>

#include "config/configcodec.h"
#include "config/configfile.h"
#include "exchange/csvexport.h"
#include "exchange/csvformat.h"
#include "exchange/csvimport.h"
#include "exchange/librarybackup.h"
#include "library/librarywriter.h"
#include "library/newlibrary.h"
#include "library/songdatabase.h"
#include "platform/fileprobe.h"
#include "platform/foldername.h"

namespace {

void say(const QString& text) {
    std::fprintf(stdout, "%s\n", qPrintable(text));
    std::fflush(stdout);
}

int fail(const QString& text) {
    std::fprintf(stderr, "%s\n", qPrintable(text));
    return 1;
}

QString native(const QString& path) {
    return QDir::toNativeSeparators(path);
}

// The library's folder: the one given, else the working folder of the settings.
QString libraryFolder(const QString& given, const QString& configPath, QString* error) {
    if (!given.isEmpty()) {
        return FolderName::withSeparator(QDir::cleanPath(QDir::current().absoluteFilePath(given)));
    }
    const ConfigFile::ReadResult file = ConfigFile::read(configPath);
    if (file.status == ConfigFile::Status::Unreadable) {
        *error = file.error;
        return {};
    }
    const QString work = file.status == ConfigFile::Status::Ok
                             ? ConfigCodec::read(file.bytes).data.PathLavoro.toText()
                             : QString();
    if (work.isEmpty() || QDir::isRelativePath(work)) {
        *error = QStringLiteral(
                     "Nessuna cartella di lavoro nelle impostazioni (\"%1\"): indicare la "
                     "cartella dell'archivio con --library CARTELLA.")
                     .arg(native(configPath));
        return {};
    }
    return FolderName::withSeparator(work);
}

int importFile(const QString& file, const QString& folder) {
    const CsvImport import = CsvImport::read(file);
    if (!import.error().isEmpty()) {
        return fail(import.error());
    }
    say(QStringLiteral("Letto il file \"%1\" come %2.")
            .arg(native(file), CsvFormat::encodingName(import.encoding())));
    for (const QString& p : import.problems() + import.gearProblems()) {
        std::fprintf(stderr, "%s\n", qPrintable(p));
    }
    if (import.songs().isEmpty() && import.rowCount() > 0) {
        return fail(QStringLiteral("Nessuna riga di \"%1\" si può importare: l'archivio è "
                                   "rimasto com'era.")
                        .arg(native(file)));
    }
    FileProbe probe;
    if (!QDir().mkpath(folder)) {
        return fail(QStringLiteral("Impossibile creare la cartella \"%1\".").arg(native(folder)));
    }
    QString library = SongDatabase::locate(folder, probe);
    QString error;
    if (!QFileInfo::exists(library)) {
        error = NewLibrary::create(folder);
        if (!error.isEmpty()) {
            return fail(error);
        }
        library = SongDatabase::locate(folder, probe);
        say(QStringLiteral("Creato l'archivio dei brani \"%1\".").arg(native(library)));
    } else {
        const QString copy = LibraryBackup::beforeImport(library, &error);
        if (copy.isEmpty()) {
            return fail(error);
        }
        say(QStringLiteral("Copia dell'archivio com'era prima: \"%1\".").arg(native(copy)));
    }
    LibraryWriter writer([library] { return library; });
    if (!import.add(writer, {}, &error)) {
        return fail(error);
    }
    say(QStringLiteral("Importati %1 brani da \"%2\" in \"%3\" (righe scartate: %4).")
            .arg(import.songs().size())
            .arg(native(file), native(library))
            .arg(import.rowCount() - import.songs().size()));
    return 0;
}

int exportFile(const QString& file, const QString& folder) {
    FileProbe probe;
    const QString library = SongDatabase::locate(folder, probe);
    if (!QFileInfo::exists(library)) {
        return fail(QStringLiteral("Nessun archivio dei brani in \"%1\": niente da esportare.")
                        .arg(native(folder)));
    }
    QString error;
    QVector<GearMessages> gear;
    const auto songs = CsvExport::songs(library, 0, &error, &gear);
    if (!songs ||
        !CsvExport::write(file, *songs, CsvFormat::separatorFor(QLocale::system()), &error, gear)) {
        return fail(error);
    }
    say(QStringLiteral("Esportati %1 brani da \"%2\" in \"%3\".")
            .arg(songs->size())
            .arg(native(library), native(file)));
    return 0;
}

}  // namespace

namespace CsvCommand {

int run(const QString& importCsv, const QString& exportCsv, const QString& given,
        const QString& configPath) {
    QString error;
    const QString folder = libraryFolder(given, configPath, &error);
    if (folder.isEmpty()) {
        return fail(error);
    }
    if (!importCsv.isEmpty()) {
        const int code = importFile(importCsv, folder);
        if (code != 0) {
            return code;
        }
    }
    return exportCsv.isEmpty() ? 0 : exportFile(exportCsv, folder);
}

}  // namespace CsvCommand
