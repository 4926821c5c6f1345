#include "exchange/mp3folderaction.h"

#include <QDir>
#include <QWidget>

#include "config/sharedstate.h"
#include "exchange/csvprogress.h"
#include "exchange/importoutcome.h"
#include "exchange/librarybackup.h"
#include "exchange/mp3folderimport.h"
#include "library/librarywriter.h"
#include "platform/filechooser.h"
#include "platform/fileprobe.h"
#include "platform/prompter.h"

namespace {
const QString kTitle = QStringLiteral("Importa cartella MP3");
}  // namespace

Mp3FolderAction::Mp3FolderAction(const CsvServices& services, QWidget* window)
    : QObject(window), s_(services), window_(window) {
    setObjectName(QStringLiteral("ImportaCartellaMp3"));
}

void Mp3FolderAction::run() {
    QStringList items;
    QList<QString> folders;
    for (int i = 0; i < int(s_.state.CartelleMp3.size()); ++i) {
        const QString folder = s_.state.CartelleMp3[size_t(i)].toText();
        if (!folder.isEmpty()) {
            items << QStringLiteral("%1: %2").arg(i + 1).arg(QDir::toNativeSeparators(folder));
            folders << folder;
        }
    }
    if (folders.isEmpty()) {
        s_.prompter.tell(QStringLiteral("Nessuna cartella MP3 impostata: sceglierle in "
                                        "\"Impostazioni\"."),
                         kTitle, Message::Icon::Exclamation);
        return;
    }
    const std::optional<int> pick =
        s_.files.chooseItem(kTitle, QStringLiteral("Cartella MP3 da importare:"), items, window_);
    if (!pick || *pick < 0 || *pick >= folders.size()) {
        return;
    }
    const QString folder = folders[*pick];
    if (!s_.probe.folderExists(folder) || !QDir(folder).isReadable()) {
        s_.prompter.tell(QStringLiteral("La cartella MP3 \"%1\" non c'è o non si può leggere.")
                             .arg(QDir::toNativeSeparators(folder)),
                         kTitle, Message::Icon::Critical);
        return;
    }
    QString error;
    const auto known = Mp3FolderImport::knownNames(s_.library(), &error);
    if (!known) {
        s_.prompter.tell(error, kTitle, Message::Icon::Critical);
        return;
    }
    QStringList fresh;
    for (const QString& name : Mp3FolderImport::files(folder)) {
        if (!known->contains(name)) {
            fresh << name;
        }
    }
    const QString shown = QDir::toNativeSeparators(folder);
    if (fresh.isEmpty()) {
        s_.prompter.tell(
            QStringLiteral("Nessun MP3 nuovo in \"%1\": ogni file è già un brano dell'archivio.")
                .arg(shown),
            kTitle, Message::Icon::Information);
        return;
    }
    const QString copy = LibraryBackup::beforeImport(s_.library(), &error);
    if (copy.isEmpty()) {
        s_.prompter.tell(error, kTitle, Message::Icon::Critical);
        return;
    }
    const QString where = QStringLiteral("La copia dell'archivio com'era prima è in \"%1\".")
                              .arg(QDir::toNativeSeparators(copy));
    const int total = int(fresh.size());
    QVector<SongRecord> songs;
    bool added = false;
    {
        CsvProgress progress(QStringLiteral("Lettura di %1 file MP3...").arg(total), total * 2,
                             window_);
        for (int i = 0; i < total; ++i) {
            emit progressed(i, total);
            if (!progress.step(i)) {
                break;
            }
            songs << Mp3FolderImport::song(folder, fresh[i]);
        }
        if (songs.size() == total) {
            progress.setLabel(QStringLiteral("Aggiunta di %1 brani...").arg(total));
            added = s_.writer.addSongs(
                songs, [&](int done) { return progress.step(total + done); }, &error);
        }
    }
    if (!added) {
        ImportOutcome::tellNothingAdded(s_.prompter, error, where, kTitle);
        return;
    }
    s_.prompter.tell(QStringLiteral("Aggiunti %1 brani MP3 da \"%2\" (%3 già nell'archivio).\n")
                             .arg(total)
                             .arg(shown)
                             .arg(Mp3FolderImport::files(folder).size() - total) +
                         where,
                     kTitle, Message::Icon::Information);
}
