#include "app/firstwelcome.h"

#include <QAction>
#include <QDir>

#include "app/audio.h"
#include "app/audioaccess.h"
#include "app/closingcheck.h"
#include "app/impspath.h"
#include "app/startup.h"
#include "library/newlibrary.h"
#include "library/songdatabase.h"
#include "platform/fileprobe.h"
#include "platform/foldername.h"
#include "platform/prompter.h"

QString FirstWelcome::text() {
    return QStringLiteral(
        "Da dove arrivano i brani?\r\n\r\n"
        "Da Windows: le impostazioni (Quintora.ini) e la cartella di lavoro della versione per "
        "Windows, copiate su questo computer; per ogni cartella si sceglie quella che la "
        "sostituisce, e l'archivio Access viene importato.\r\n"
        "Da un file CSV: una libreria nuova, in una cartella da scegliere, con i brani di un "
        "foglio di calcolo.\r\n"
        "Libreria vuota: una libreria nuova, in una cartella da scegliere, per inserire i "
        "brani uno a uno.\r\n"
        "Impostazioni: la finestra di configurazione, per scegliere la cartella di lavoro.");
}

QStringList FirstWelcome::choices() {
    return {QStringLiteral("Da Windows..."), QStringLiteral("Da un file CSV..."),
            QStringLiteral("Libreria vuota..."), QStringLiteral("Impostazioni")};
}

QString FirstWelcome::folderTitle() {
    return QStringLiteral("Cartella di lavoro per la nuova libreria");
}

bool FirstWelcome::run() {
    const Message question{text(), Startup::configTitle(), Message::Icon::Question};
    switch (w_.services().prompter.choose(question, choices(), Settings)) {
        case FromWindows: {
            AudioAccess* access = AudioAccess::of(w_);
            return access && access->chooseWindowsSettings() && !w_.state().PathLavoro.isEmpty();
        }
        case FromCsv:
            return newLibrary(true);
        case EmptyLibrary:
            return newLibrary(false);
        default:
            return false;
    }
}

// A folder chosen by the user becomes the working folder, with a new library when
// it holds none; the settings are saved with their defaults as the settings
// dialog saves them.
bool FirstWelcome::newLibrary(bool thenCsv) {
    AudioAccess* access = AudioAccess::of(w_);
    if (!access) {
        return false;
    }
    const QString chosen = access->chooseFolder(folderTitle(), QDir::homePath());
    if (chosen.isEmpty()) {
        return false;
    }
    const QString folder = FolderName::withSeparator(QDir::toNativeSeparators(chosen));
    Prompter& prompter = w_.services().prompter;
    if (w_.services()
            .files.storedName(FolderName::join(folder, SongDatabase::kFileName))
            .isEmpty()) {
        const QString error = NewLibrary::create(folder);
        if (!error.isEmpty()) {
            prompter.tell(error, ClosingCheck::warningTitle(), Message::Icon::Critical);
            return false;
        }
    }
    w_.state().PathLavoro = folder;
    // The settings dialog, loaded with the defaults and closed as "Salva e Esci"
    // closes it: the settings are saved and the main window shown.
    w_.parametribase();
    if (auto* dialog = w_.findChild<Impspath*>()) {
        dialog->close();
    }
    if (!w_.isVisible()) {
        return false;
    }
    if (thenCsv) {
        if (auto* csv = w_.findChild<QAction*>(QStringLiteral("MenuImportaCsv"))) {
            csv->trigger();
        }
    }
    return true;
}
