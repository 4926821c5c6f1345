#include "app/closingcheck.h"

#include <QDir>

#include "app/audio.h"
#include "library/songdatabase.h"
#include "platform/fileprobe.h"
#include "platform/foldername.h"
#include "platform/prompter.h"

QString ClosingCheck::refusalText() {
    return QStringLiteral(
        "Attenzione!!! Percorso sbagliato o file mdb assente. Impossibile trovare la cartella "
        "di lavoro di Quintora!");
}

QString ClosingCheck::warningTitle() {
    return QStringLiteral("Quintora: avviso");
}

QString ClosingCheck::createLibraryText(const QString& folder) {
    return QStringLiteral(
               "La cartella di lavoro %1 non contiene la libreria dei brani (Songs.mdb).\r\n"
               "Creare una libreria vuota in questa cartella?")
        .arg(folder);
}

QString ClosingCheck::quitText() {
    return QStringLiteral(
        "Quintora non può funzionare senza una cartella di lavoro che contenga il file "
        "Songs.mdb.\r\nUscire da Quintora senza salvare la configurazione?");
}

bool ClosingCheck::libraryPresent(Audio& window) {
    const QString folder = window.state().PathLavoro;
    return !folder.isEmpty() &&
           !window.services()
                .files.storedName(FolderName::join(folder, SongDatabase::kFileName))
                .isEmpty();
}

ClosingCheck::Outcome ClosingCheck::run() {
    if (libraryPresent(w_)) {
        return Outcome::Close;
    }
    Prompter& prompter = w_.services().prompter;
    prompter.tell(refusalText(), warningTitle(), Message::Icon::Critical);
    if (offerLibrary()) {
        return Outcome::Close;
    }
    if (!w_.isVisible()) {
        const Message question{quitText(), warningTitle(), Message::Icon::Question,
                               Message::Buttons::YesNo, Message::Answer::No};
        if (prompter.ask(question) == Message::Answer::Yes) {
            return Outcome::Quit;
        }
    }
    return Outcome::Stay;
}

// Offers an empty library in a chosen working folder that exists; true once it is there.
bool ClosingCheck::offerLibrary() {
    const QString folder = w_.state().PathLavoro;
    if (folder.isEmpty() || !w_.services().files.folderExists(folder)) {
        return false;
    }
    Prompter& prompter = w_.services().prompter;
    const Message offer{createLibraryText(QDir::toNativeSeparators(folder)), warningTitle(),
                        Message::Icon::Question, Message::Buttons::YesNo, Message::Answer::Yes};
    if (prompter.ask(offer) != Message::Answer::Yes) {
        return false;
    }
    QString error;
    if (!SongDatabase::open(FolderName::join(folder, SongDatabase::kFileName), &error,
                            SongDatabase::Mode::Create)) {
        prompter.tell(error, warningTitle(), Message::Icon::Critical);
        return false;
    }
    return libraryPresent(w_);
}
