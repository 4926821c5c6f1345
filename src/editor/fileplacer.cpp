#include "editor/fileplacer.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include "config/sharedstate.h"
#include "editor/chooserfolders.h"
#include "editor/grooveconverter.h"
#include "library/analizzawav.h"
#include "platform/filechooser.h"
#include "platform/fileprobe.h"
#include "platform/prompter.h"
#include "platform/wholefile.h"

namespace {

QString shown(const QString& path) {
    return QDir::toNativeSeparators(path);
}

QString withSeparator(const QString& folder) {
    return folder.isEmpty() || folder.endsWith(u'/') || folder.endsWith(QDir::separator())
               ? folder
               : folder + QDir::separator();
}

bool sameFile(const QString& a, const QString& b) {
    const QString ca = QFileInfo(a).canonicalFilePath();
    return !ca.isEmpty() && ca == QFileInfo(b).canonicalFilePath();
}

}  // namespace

FilePlacer::FilePlacer(const EditorServices& services, QWidget* parent)
    : services_(services), parent_(parent) {}

QString FilePlacer::grooveFolder(const QString& workFolder, const QString& groove1) {
    return withSeparator(workFolder) + groove1.left(3) + QDir::separator();
}

QString FilePlacer::foundGrooveFolder(const QString& workFolder, const QString& groove1) {
    const QString folder = grooveFolder(workFolder, groove1);
    if (QFileInfo(folder).isDir()) {
        return folder;
    }
    // A folder that is there under another letter case is the one playback finds:
    // the groove goes there rather than into a second folder.
    const QString wanted = QFileInfo(folder.chopped(1)).fileName();
    for (const QString& entry : QDir(workFolder).entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        if (entry.compare(wanted, Qt::CaseInsensitive) == 0) {
            return withSeparator(workFolder) + entry + QDir::separator();
        }
    }
    return folder;
}

void FilePlacer::fail(const QString& text) {
    services_.prompter.tell(text, {}, Message::Icon::Critical);
}

bool FilePlacer::place(const QString& from, const QString& to, bool convert) {
    if (!convert && sameFile(from, to)) {
        return true;  // already where it belongs
    }
    if (QFileInfo::exists(to)) {
        const Message question{QStringLiteral("Il file \"%1\" esiste già.\nSostituirlo con \"%2\"?")
                                   .arg(shown(to), shown(from)),
                               {},
                               Message::Icon::Question,
                               Message::Buttons::YesNo,
                               Message::Answer::No};
        if (services_.prompter.ask(question) != Message::Answer::Yes) {
            // Most of the time the file there is the one the user meant.
            const Message use{QStringLiteral("Usare il file \"%1\" che è già lì?").arg(shown(to)),
                              {},
                              Message::Icon::Question,
                              Message::Buttons::YesNo,
                              Message::Answer::Yes};
            if (services_.prompter.ask(use) == Message::Answer::Yes) {
                return true;
            }
            services_.prompter.tell(
                QStringLiteral("Nessun file scelto: \"%1\" è rimasto com'era.").arg(shown(to)), {},
                Message::Icon::Information);
            return false;
        }
    }
    if (!QDir().mkpath(QFileInfo(to).absolutePath())) {
        fail(QStringLiteral("Impossibile creare la cartella \"%1\".")
                 .arg(shown(QFileInfo(to).absolutePath())));
        return false;
    }
    if (convert) {
        const QString why = GrooveConverter::convert(from, to);
        if (!why.isEmpty()) {
            fail(why);
            return false;
        }
        return true;
    }
    // Copied beside the target first: a failed copy leaves the old file in place.
    const QString scratch = to + QStringLiteral(".tmp");
    QFile::remove(scratch);
    if (!QFile::copy(from, scratch)) {
        QFile::remove(scratch);
        fail(QStringLiteral("Impossibile copiare \"%1\" in \"%2\".").arg(shown(from), shown(to)));
        return false;
    }
    QFile::remove(to);
    if (!QFile::rename(scratch, to)) {
        QFile::remove(scratch);
        fail(QStringLiteral("Impossibile copiare \"%1\" in \"%2\".").arg(shown(from), shown(to)));
        return false;
    }
    return true;
}

std::optional<QString> FilePlacer::chooseWav(const QString& groove1) {
    const QString work = services_.state.PathLavoro;
    if (work.isEmpty()) {
        fail(QStringLiteral("Nessuna cartella di lavoro impostata: impostala in Configurazioni."));
        return std::nullopt;
    }
    const QString from =
        services_.chooser.chooseFile(groove1.isEmpty() ? QStringLiteral("Scegli il Groove 1")
                                                       : QStringLiteral("Scegli il Groove 2"),
                                     services_.folders.folder(ChooserFolders::kGroove, work),
                                     QStringLiteral("Groove WAV (*.wav *.WAV *.Wav)"), parent_);
    if (from.isEmpty()) {
        return std::nullopt;
    }
    services_.folders.remember(ChooserFolders::kGroove, from);
    QByteArray head;
    const QString unreadable = WholeFile::read(from, AnalizzaWav::kBytesRead, &head);
    if (!unreadable.isEmpty()) {
        fail(
            QStringLiteral("Impossibile leggere il file \"%1\": %2.").arg(shown(from), unreadable));
        return std::nullopt;
    }
    const AnalizzaWav::Verdict verdict = AnalizzaWav::examine(head);
    bool convert = false;
    QString name = QFileInfo(from).fileName();
    if (!verdict.problem.isEmpty()) {
        const Message question{shown(from) + verdict.problem +
                                   QStringLiteral("\nConvertirlo in un groove a 16 bit, 44100 Hz?"),
                               {},
                               Message::Icon::Question,
                               Message::Buttons::YesNo,
                               Message::Answer::Yes};
        if (services_.prompter.ask(question) != Message::Answer::Yes) {
            return std::nullopt;
        }
        convert = true;
        // A converted groove is a new file: its name always ends in ".wav".
        name = QFileInfo(from).completeBaseName() + QStringLiteral(".wav");
    } else if (verdict.durata == 0) {
        fail(shown(from) + QStringLiteral(": il file non contiene audio."));
        return std::nullopt;
    }
    const QString folder = foundGrooveFolder(work, groove1.isEmpty() ? name : groove1);
    if (!place(from, folder + name, convert)) {
        return std::nullopt;
    }
    return name;
}

std::optional<QString> FilePlacer::chooseMp3() {
    QStringList folders;
    QList<int> slotNumbers;
    for (int i = 0; i < int(services_.state.CartelleMp3.size()); ++i) {
        const QString f = services_.state.CartelleMp3[size_t(i)].toText();
        if (!f.isEmpty()) {
            folders << withSeparator(f);
            slotNumbers << i;
        }
    }
    if (folders.isEmpty()) {
        fail(QStringLiteral("Nessuna cartella Mp3 impostata: impostane una in Configurazioni."));
        return std::nullopt;
    }
    const QString from = services_.chooser.chooseFile(
        QStringLiteral("Scegli il file Mp3"),
        services_.folders.folder(ChooserFolders::kMp3, folders.first()),
        QStringLiteral("File Mp3 (*.mp3 *.MP3 *.Mp3)"), parent_);
    if (from.isEmpty()) {
        return std::nullopt;
    }
    services_.folders.remember(ChooserFolders::kMp3, from);
    const QString name = QFileInfo(from).fileName();
    for (const QString& f : folders) {
        if (sameFile(from, f + name)) {
            return name;  // already in an MP3 folder
        }
    }
    // Playback takes the first MP3 folder holding the name: a file of that name already
    // in one would be played instead of a copy.
    for (int i = 0; i < folders.size(); ++i) {
        if (!FileProbe().storedName(folders[i] + name).isEmpty()) {
            const Message question{
                QStringLiteral("Nella cartella Mp3 n° %1 (\"%2\") c'è già un file \"%3\": il "
                               "brano suonerebbe quello.\nUsare quel file?")
                    .arg(slotNumbers[i])
                    .arg(shown(folders[i]), name),
                {},
                Message::Icon::Question,
                Message::Buttons::YesNo,
                Message::Answer::No};
            if (services_.prompter.ask(question) == Message::Answer::Yes) {
                return name;
            }
            return std::nullopt;
        }
    }
    QStringList items;
    for (int i = 0; i < folders.size(); ++i) {
        items << QStringLiteral("%1: %2").arg(slotNumbers[i]).arg(shown(folders[i]));
    }
    const std::optional<int> chosen = services_.chooser.chooseItem(
        QStringLiteral("Cartella Mp3"),
        QStringLiteral("Il file non è in una cartella Mp3. In quale copiarlo?"), items, parent_);
    if (!chosen || *chosen < 0 || *chosen >= folders.size()) {
        return std::nullopt;
    }
    if (!place(from, folders[*chosen] + name, false)) {
        return std::nullopt;
    }
    return name;
}

bool FilePlacer::bringAlong(const QString& groove2, const QString& from,
                            const QString& newGroove1) {
    const QString folder = foundGrooveFolder(services_.state.PathLavoro, newGroove1);
    const QString source = withSeparator(from) + groove2;
    const QString target = folder + groove2;
    if (sameFile(source, target)) {
        return true;
    }
    if (!QFileInfo(source).isFile()) {
        if (QFileInfo(target).isFile()) {
            return true;  // the new folder has it already
        }
        fail(QStringLiteral("Il Groove 2 \"%1\" non è in \"%2\" ed è stato tolto dal brano: "
                            "sceglilo di nuovo.")
                 .arg(groove2, shown(from)));
        return false;
    }
    if (!place(source, target, false)) {
        services_.prompter.tell(
            QStringLiteral("Il Groove 2 \"%1\" è stato tolto dal brano: sceglilo di nuovo.")
                .arg(groove2),
            {}, Message::Icon::Exclamation);
        return false;
    }
    services_.prompter.tell(
        QStringLiteral("Il Groove 2 \"%1\" è ora anche in \"%2\", la cartella del Groove 1.")
            .arg(groove2, shown(folder)),
        {}, Message::Icon::Information);
    return true;
}
