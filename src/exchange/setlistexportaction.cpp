#include "exchange/setlistexportaction.h"

#include <QDir>
#include <QFileInfo>
#include <QWidget>

#include "config/sharedstate.h"
#include "exchange/csvexport.h"
#include "exchange/exportchooser.h"
#include "exchange/setlistexport.h"
#include "platform/filechooser.h"
#include "platform/prompter.h"

namespace {
const QString kPlayListTitle = QStringLiteral("Esporta play list");
const QString kPageTitle = QStringLiteral("Esporta scaletta da stampare");
constexpr int kListedMissing = 10;
}  // namespace

SetListExportAction::SetListExportAction(const CsvServices& services, QWidget* window)
    : QObject(window), s_(services), window_(window) {
    setObjectName(QStringLiteral("EsportaScaletta"));
}

int SetListExportAction::chooseList(const QString& title) {
    QStringList lists;
    for (int i = 1; i <= 5; ++i) {
        lists << QStringLiteral("Scaletta %1").arg(i);
    }
    const std::optional<int> pick =
        s_.files.chooseItem(title, QStringLiteral("Quale scaletta?"), lists, window_);
    return pick && *pick >= 0 && *pick < 5 ? *pick + 1 : 0;
}

QString SetListExportAction::chooseFile(const QString& title, int list, const QString& extension,
                                        const QString& filter) {
    QString file = s_.saver.chooseSaveFile(
        title, s_.state.PathLavoro + QStringLiteral("Scaletta%1.%2").arg(list).arg(extension),
        filter, window_);
    if (!file.isEmpty() && QFileInfo(file).suffix().isEmpty()) {
        file += QLatin1Char('.') + extension;
    }
    return file;
}

void SetListExportAction::exportPlayList() {
    const int list = chooseList(kPlayListTitle);
    if (list == 0) {
        return;
    }
    const QString file = chooseFile(kPlayListTitle, list, QStringLiteral("m3u8"),
                                    QStringLiteral("Play list (*.m3u8)"));
    if (file.isEmpty()) {
        return;
    }
    QString error;
    const auto songs = CsvExport::songs(s_.library(), list, &error);
    if (!songs) {
        s_.prompter.tell(error, kPlayListTitle, Message::Icon::Critical);
        return;
    }
    QStringList paths;
    QStringList missing;
    for (const SongRecord& s : *songs) {
        paths << SetListExport::audioPath(s, s_.state.PathLavoro, s_.state.CartelleMp3, s_.probe);
        if (paths.last().isEmpty()) {
            missing << s.Titoli;
        }
    }
    if (!SetListExport::writePlayList(file, SetListExport::playList(*songs, paths), &error)) {
        s_.prompter.tell(error, kPlayListTitle, Message::Icon::Critical);
        return;
    }
    QString text = QStringLiteral("Scritta la play list della Scaletta %1 in \"%2\": %3 brani.")
                       .arg(list)
                       .arg(QDir::toNativeSeparators(file))
                       .arg(songs->size() - missing.size());
    if (!missing.isEmpty()) {
        text += QStringLiteral("\nSenza file audio trovato (non nella play list): %1")
                    .arg(missing.mid(0, kListedMissing).join(QStringLiteral(", ")));
        if (missing.size() > kListedMissing) {
            text += QStringLiteral(" e altri %1").arg(missing.size() - kListedMissing);
        }
        text += QLatin1Char('.');
    }
    s_.prompter.tell(text, kPlayListTitle, Message::Icon::Information);
}

void SetListExportAction::exportPage() {
    const int list = chooseList(kPageTitle);
    if (list == 0) {
        return;
    }
    const QString file =
        chooseFile(kPageTitle, list, QStringLiteral("pdf"), QStringLiteral("PDF (*.pdf)"));
    if (file.isEmpty()) {
        return;
    }
    QString error;
    const auto songs = CsvExport::songs(s_.library(), list, &error);
    if (!songs ||
        !SetListExport::writePage(file, QStringLiteral("Scaletta %1").arg(list), *songs, &error)) {
        s_.prompter.tell(error, kPageTitle, Message::Icon::Critical);
        return;
    }
    s_.prompter.tell(QStringLiteral("Scritta la Scaletta %1 da stampare in \"%2\": %3 brani.")
                         .arg(list)
                         .arg(QDir::toNativeSeparators(file))
                         .arg(songs->size()),
                     kPageTitle, Message::Icon::Information);
}
