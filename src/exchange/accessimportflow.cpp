#include "exchange/accessimportflow.h"

#include <QDir>
#include <QFileInfo>

#include "exchange/accessimport.h"
#include "exchange/importprogress.h"
#include "exchange/librarybackup.h"
#include "exchange/mdbreader.h"
#include "exchange/winsettingschooser.h"
#include "platform/filechooser.h"
#include "platform/prompter.h"

namespace {

QString native(const QString& path) {
    return QDir::toNativeSeparators(path);
}

}  // namespace

QString AccessImportFlow::offerText(const QString& path) {
    return QStringLiteral(
               "L'archivio dei brani \"%1\" è un archivio Access della versione per Windows.\n"
               "Importarlo ora? I brani e le scalette passano in un nuovo archivio; il file "
               "Access resta intatto accanto, come \"%2\".")
        .arg(native(path), QFileInfo(AccessImport::keptName(path)).fileName());
}

QString AccessImportFlow::laterText() {
    return QStringLiteral(
        "L'archivio non è stato importato. Si può importare più tardi dal menu Archivio, "
        "\"Importa archivio Access...\", oppure scegliendo di nuovo questa cartella di "
        "lavoro nelle impostazioni.");
}

QString AccessImportFlow::replaceText(const QString& library) {
    return QStringLiteral(
               "I brani importati prendono il posto dell'archivio \"%1\"; prima ne viene "
               "salvata una copia accanto. Continuare?")
        .arg(native(library));
}

bool AccessImportFlow::offerImport(const QString& path) {
    if (!MdbReader::isAccessFile(path)) {
        return false;
    }
    const Message question{offerText(path), QStringLiteral("Importa archivio Access"),
                           Message::Icon::Question, Message::Buttons::YesNo, Message::Answer::Yes};
    if (s_.prompter.ask(question) == Message::Answer::Yes) {
        importFile(path, QFileInfo(path).absolutePath());
    } else {
        s_.prompter.tell(laterText(), QStringLiteral("Importa archivio Access"),
                         Message::Icon::Information);
    }
    return true;
}

void AccessImportFlow::chooseAndImport() {
    const QString folder = s_.workFolder();
    if (folder.isEmpty()) {
        s_.prompter.tell(
            QStringLiteral("Scegliere prima la cartella di lavoro nelle impostazioni."), {},
            Message::Icon::Exclamation);
        return;
    }
    const QString source = s_.files.chooseFile(
        QStringLiteral("Importa archivio Access"), folder,
        QStringLiteral("Archivio Access (*.mdb *.MDB *.accdb *.ACCDB)"), s_.window);
    if (source.isEmpty()) {
        return;
    }
    // A library of this program there is replaced (a copy of it is kept): asked
    // first, No by default.
    const QString library = s_.library();
    if (QFileInfo(library).isFile() && !MdbReader::isAccessFile(library) &&
        QFileInfo(library).canonicalFilePath() != QFileInfo(source).canonicalFilePath()) {
        const Message question{replaceText(library), QStringLiteral("Importa archivio Access"),
                               Message::Icon::Question, Message::Buttons::YesNo,
                               Message::Answer::No};
        if (s_.prompter.ask(question) != Message::Answer::Yes) {
            return;
        }
    }
    importFile(source, folder);
}

bool AccessImportFlow::importFile(const QString& source, const QString& folder) {
    AccessReport report;
    QString error;
    AccessImport::Outcome outcome;
    {
        ImportProgress progress(
            QStringLiteral("Importazione di \"%1\"...").arg(QFileInfo(source).fileName()),
            s_.window);
        outcome = AccessImport::run(
            source, folder, [&](int done, int total) { return progress.step(done, total); },
            &report, &error);
    }
    switch (outcome) {
        case AccessImport::Outcome::Done:
            s_.libraryReplaced();
            s_.prompter.tell(report.text(), QStringLiteral("Importa archivio Access"),
                             report.problems.isEmpty() ? Message::Icon::Information
                                                       : Message::Icon::Exclamation);
            return true;
        case AccessImport::Outcome::Cancelled:
            s_.prompter.tell(QStringLiteral("Importazione annullata: l'archivio dei brani è "
                                            "rimasto com'era."),
                             QStringLiteral("Importa archivio Access"), Message::Icon::Information);
            return false;
        case AccessImport::Outcome::Failed:
            s_.prompter.tell(error, QStringLiteral("Importa archivio Access"),
                             Message::Icon::Critical);
            return false;
    }
    return false;
}

void AccessImportFlow::saveCopy() {
    const QString library = s_.library();
    if (library.isEmpty() || !QFileInfo(library).isFile()) {
        s_.prompter.tell(QStringLiteral("Non c'è un archivio dei brani da copiare."), {},
                         Message::Icon::Exclamation);
        return;
    }
    const QString target = s_.paths.chooseSaveFile(
        QStringLiteral("Salva una copia dell'archivio"), LibraryBackup::nextCopyPath(library),
        QStringLiteral("Archivio dei brani (*.mdb)"), s_.window);
    if (target.isEmpty()) {
        return;
    }
    QString error;
    if (!LibraryBackup::copy(library, target, &error)) {
        s_.prompter.tell(error, {}, Message::Icon::Critical);
        return;
    }
    s_.prompter.tell(QStringLiteral("Copia dell'archivio salvata in \"%1\".").arg(native(target)),
                     {}, Message::Icon::Information);
}
