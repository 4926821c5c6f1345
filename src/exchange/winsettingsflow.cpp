#include "exchange/winsettingsflow.h"

#include <QDir>
#include <QFileInfo>

#include "app/configfile.h"
#include "editor/filechooser.h"
#include "exchange/winsettingschooser.h"
#include "exchange/winsettingsimport.h"
#include "platform/prompter.h"

namespace {

QString native(const QString& path) {
    return QDir::toNativeSeparators(path);
}

// What the Windows folder was for, as the question names it.
QString roleOf(const ConfigData& d, const QString& folder) {
    if (d.PathLavoro.toText().trimmed().compare(folder, Qt::CaseInsensitive) == 0) {
        return QStringLiteral("la cartella di lavoro");
    }
    for (std::size_t i = 0; i < d.CartelleMp3.size(); ++i) {
        if (d.CartelleMp3[i].toText().trimmed().compare(folder, Qt::CaseInsensitive) == 0) {
            return QStringLiteral("la cartella MP3 %1").arg(i + 1);
        }
    }
    return QStringLiteral("una cartella");
}

}  // namespace

void WinSettingsFlow::chooseAndImport() {
    const QString path = s_.files.chooseFile(
        title(), s_.home, QStringLiteral("Impostazioni (*.ini *.INI)"), s_.window);
    if (!path.isEmpty()) {
        importFile(path);
    }
}

bool WinSettingsFlow::importFile(const QString& path) {
    const ConfigFile::ReadResult file = ConfigFile::read(path);
    if (file.status != ConfigFile::Status::Ok) {
        s_.prompter.tell(file.status == ConfigFile::Status::Missing
                             ? QStringLiteral("Il file \"%1\" non c'è.").arg(native(path))
                             : file.error,
                         title(), Message::Icon::Critical);
        return false;
    }
    WinSettingsImport import;
    QString error;
    if (!import.read(file.bytes, &error)) {
        s_.prompter.tell(QStringLiteral("\"%1\": %2").arg(native(path), error), title(),
                         Message::Icon::Critical);
        return false;
    }
    for (const QString& folder : import.windowsFolders()) {
        const QString chosen = s_.paths.chooseFolder(
            QStringLiteral("Cartella per %1 \"%2\"").arg(roleOf(import.data(), folder), folder),
            import.proposal(folder, s_.home), s_.window);
        if (chosen.isEmpty()) {
            s_.prompter.tell(QStringLiteral("Importazione annullata: le impostazioni sono "
                                            "rimaste come erano."),
                             title(), Message::Icon::Information);
            return false;
        }
        import.choose(folder, chosen);
    }
    const ConfigData settings = import.result(s_.current());
    s_.save(settings);
    int mp3 = 0;
    for (const Value& v : settings.CartelleMp3) {
        mp3 += v.toText().isEmpty() ? 0 : 1;
    }
    s_.prompter.tell(QStringLiteral("Impostazioni importate da \"%1\": cartella di lavoro \"%2\", "
                                    "%3 cartelle MP3.")
                         .arg(native(path), native(settings.PathLavoro.toText()))
                         .arg(mp3),
                     title(), Message::Icon::Information);
    return true;
}
