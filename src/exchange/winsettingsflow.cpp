#include "exchange/winsettingsflow.h"

#include <QDir>
#include <QFileInfo>
#include <QList>

#include "config/configfile.h"
#include "config/configlocation.h"
#include "exchange/winsettingschooser.h"
#include "exchange/winsettingsimport.h"
#include "platform/filechooser.h"
#include "platform/prompter.h"

namespace {

QString native(const QString& path) {
    return QDir::toNativeSeparators(path);
}

// What the folder was for, as the question names it; MP3 folders are numbered as
// the settings and the filter buttons number them, 0 to 9.
QString roleOf(const ConfigData& d, const QString& folder) {
    if (d.PathLavoro.toText().trimmed().compare(folder, Qt::CaseInsensitive) == 0) {
        return QStringLiteral("la cartella di lavoro");
    }
    QStringList numbers;
    for (std::size_t i = 0; i < d.CartelleMp3.size(); ++i) {
        if (d.CartelleMp3[i].toText().trimmed().compare(folder, Qt::CaseInsensitive) == 0) {
            numbers << QString::number(i);
        }
    }
    if (numbers.isEmpty()) {
        return QStringLiteral("una cartella");
    }
    return (numbers.size() == 1 ? QStringLiteral("la cartella MP3 ")
                                : QStringLiteral("le cartelle MP3 ")) +
           numbers.join(QStringLiteral(", "));
}

}  // namespace

QString WinSettingsFlow::questionText(const QString& role, const QString& folder) {
    return QStringLiteral(
               "Quale cartella di questo computer prende il posto di %1 \"%2\"?\n"
               "\"Salta\" la lascia vuota (per esempio se non è stata copiata); \"Indietro\" "
               "torna alla domanda precedente.")
        .arg(role, folder);
}

bool WinSettingsFlow::chooseAndImport() {
    const QString path = s_.files.chooseFile(
        title(), s_.home, QStringLiteral("Impostazioni (*.ini *.INI)"), s_.window);
    return !path.isEmpty() && importFile(path);
}

std::optional<ConfigData> WinSettingsFlow::askSettings(const QString& path, const QString& start) {
    const ConfigFile::ReadResult file = ConfigFile::read(path);
    if (file.status != ConfigFile::Status::Ok) {
        s_.prompter.tell(file.status == ConfigFile::Status::Missing
                             ? QStringLiteral("Il file \"%1\" non c'è.").arg(native(path))
                             : file.error,
                         title(), Message::Icon::Critical);
        return std::nullopt;
    }
    WinSettingsImport import;
    QString error;
    if (!import.read(file.bytes, &error)) {
        s_.prompter.tell(QStringLiteral("\"%1\": %2").arg(native(path), error), title(),
                         Message::Icon::Critical);
        return std::nullopt;
    }
    const QStringList folders = import.folders();
    // The answers given so far, kept when the user goes back and forth.
    QList<std::optional<QString>> answers(folders.size());
    for (qsizetype i = 0; i < folders.size();) {
        const QString& folder = folders[i];
        const QString proposal =
            answers[i] && !answers[i]->isEmpty() ? *answers[i] : import.proposal(folder, start);
        const FolderQuestion question{title(), questionText(roleOf(import.data(), folder), folder),
                                      proposal, i > 0};
        const FolderAnswer answer = s_.paths.askFolder(question, s_.window);
        switch (answer.kind) {
            case FolderAnswer::Kind::Chosen:
                answers[i] = answer.folder;
                import.choose(folder, answer.folder);
                ++i;
                break;
            case FolderAnswer::Kind::Skipped:
                answers[i] = QString();
                import.skip(folder);
                ++i;
                break;
            case FolderAnswer::Kind::Back:
                i = std::max<qsizetype>(0, i - 1);
                break;
            case FolderAnswer::Kind::Cancelled:
                s_.prompter.tell(QStringLiteral("Importazione annullata: le impostazioni sono "
                                                "rimaste come erano."),
                                 title(), Message::Icon::Information);
                return std::nullopt;
        }
    }
    return import.result(s_.current());
}

// The settings file in force is kept whole beside itself before it is replaced.
bool WinSettingsFlow::keepCopy() {
    copied_ = false;
    if (s_.configPath.isEmpty() || !QFileInfo(s_.configPath).isFile()) {
        return true;
    }
    const QString error =
        ConfigFile::copyReplacing(s_.configPath, ConfigLocation::backupPath(s_.configPath));
    if (error.isEmpty()) {
        copied_ = true;
        return true;
    }
    s_.prompter.tell(error + QStringLiteral("\nLe impostazioni non sono state importate."), title(),
                     Message::Icon::Critical);
    return false;
}

bool WinSettingsFlow::importFile(const QString& path) {
    const std::optional<ConfigData> settings =
        askSettings(path, QFileInfo(path).absolutePath() + QLatin1Char('/'));
    if (!settings || !keepCopy()) {
        return false;
    }
    s_.save(*settings);
    tellDone(path, *settings);
    return true;
}

bool WinSettingsFlow::importInPlace(const QString& start) {
    const std::optional<ConfigData> settings = askSettings(s_.configPath, start);
    if (!settings || !keepCopy()) {
        return false;
    }
    const QString error = ConfigFile::save(s_.configPath, *settings);
    if (!error.isEmpty()) {
        s_.prompter.tell(error, title(), Message::Icon::Critical);
        return false;
    }
    tellDone(s_.configPath, *settings);
    return true;
}

void WinSettingsFlow::tellDone(const QString& path, const ConfigData& settings) {
    int mp3 = 0;
    for (const Value& v : settings.CartelleMp3) {
        mp3 += v.toText().isEmpty() ? 0 : 1;
    }
    QString text = QStringLiteral(
                       "Impostazioni importate da \"%1\": cartella di lavoro \"%2\", "
                       "%3 cartelle MP3.")
                       .arg(native(path), native(settings.PathLavoro.toText()))
                       .arg(mp3);
    if (copied_) {
        text += QStringLiteral("\nLe impostazioni di prima sono conservate in \"%1\".")
                    .arg(native(ConfigLocation::backupPath(s_.configPath)));
    }
    s_.prompter.tell(text, title(), Message::Icon::Information);
}
