#include "editor/fileplacer.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include "app/sharedstate.h"
#include "editor/filechooser.h"
#include "editor/grooveconverter.h"
#include "library/analizzawav.h"
#include "platform/fileprobe.h"
#include "platform/prompter.h"

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
    const QString from = services_.chooser.chooseFile(
        groove1.isEmpty() ? QStringLiteral("Scegli il Groove 1")
                          : QStringLiteral("Scegli il Groove 2"),
        work, QStringLiteral("Groove WAV (*.wav *.WAV *.Wav)"), parent_);
    if (from.isEmpty()) {
        return std::nullopt;
    }
    QFile file(from);
    if (!file.open(QIODevice::ReadOnly)) {
        fail(QStringLiteral("Impossibile leggere il file \"%1\".").arg(shown(from)));
        return std::nullopt;
    }
    const AnalizzaWav::Verdict verdict = AnalizzaWav::examine(file.read(AnalizzaWav::kBytesRead));
    file.close();
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
    QString folder = grooveFolder(work, groove1.isEmpty() ? name : groove1);
    // A folder that is there under another letter case is the one playback finds:
    // the groove goes there rather than into a second folder.
    if (!QFileInfo(folder).isDir()) {
        const QString wanted = QFileInfo(folder.chopped(1)).fileName();
        for (const QString& entry : QDir(work).entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
            if (entry.compare(wanted, Qt::CaseInsensitive) == 0) {
                folder = withSeparator(work) + entry + QDir::separator();
                break;
            }
        }
    }
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
    const QString from =
        services_.chooser.chooseFile(QStringLiteral("Scegli il file Mp3"), folders.first(),
                                     QStringLiteral("File Mp3 (*.mp3 *.MP3 *.Mp3)"), parent_);
    if (from.isEmpty()) {
        return std::nullopt;
    }
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
