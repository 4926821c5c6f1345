#include "exchange/accesscommand.h"

#include <QDir>
#include <cstdio>

#include "config/configcodec.h"
#include "config/configfile.h"
#include "config/configlocation.h"
#include "exchange/accessimport.h"
#include "platform/foldername.h"

namespace AccessCommand {

QString libraryFolder(const QString& libraryOption, const QString& configOption, QString* error) {
    if (!libraryOption.isEmpty()) {
        return FolderName::withSeparator(QDir(libraryOption).absolutePath());
    }
    const QString config = ConfigLocation::fromOption(configOption);
    const ConfigFile::ReadResult file = ConfigFile::read(config);
    const QString work = file.status == ConfigFile::Status::Ok
                             ? ConfigCodec::read(file.bytes).data.PathLavoro.toText()
                             : QString();
    if (work.isEmpty() || QDir::isRelativePath(work)) {
        *error = QStringLiteral(
                     "Nessuna cartella dell'archivio: indicarla con --library CARTELLA "
                     "(nella configurazione \"%1\" non c'è una cartella di lavoro).")
                     .arg(QDir::toNativeSeparators(config));
        return {};
    }
    return FolderName::withSeparator(work);
}

int run(const QString& source, const QString& libraryOption, const QString& configOption) {
    QString error;
    const QString folder = libraryFolder(libraryOption, configOption, &error);
    AccessReport report;
    if (folder.isEmpty() ||
        AccessImport::run(source, folder, {}, &report, &error) != AccessImport::Outcome::Done) {
        std::fprintf(stderr, "Importazione non riuscita: %s\n", qPrintable(error));
        return 1;
    }
    std::printf("%s\n", qPrintable(report.text()));
    return 0;
}

}  // namespace AccessCommand
