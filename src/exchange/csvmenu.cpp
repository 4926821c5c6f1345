#include "exchange/csvmenu.h"

#include <QAction>
#include <QDir>
#include <QFileInfo>
#include <QLocale>
#include <QMenu>
#include <QWidget>

#include "config/sharedstate.h"
#include "exchange/csvexport.h"
#include "exchange/csvformat.h"
#include "exchange/csvimport.h"
#include "exchange/csvpreviewdialog.h"
#include "exchange/csvprogress.h"
#include "exchange/exportchooser.h"
#include "exchange/importoutcome.h"
#include "exchange/librarybackup.h"
#include "exchange/mp3folderaction.h"
#include "exchange/setlistexportaction.h"
#include "platform/filechooser.h"
#include "platform/prompter.h"

namespace {

const QString kImportTitle = QStringLiteral("Importa CSV");
const QString kExportTitle = QStringLiteral("Esporta CSV");
// Rows that cannot be taken are listed up to this many in the closing message.
constexpr int kListedProblems = 10;

QString native(const QString& path) {
    return QDir::toNativeSeparators(path);
}

}  // namespace

CsvMenu::CsvMenu(const CsvServices& services, QWidget* window)
    : QObject(window), s_(services), window_(window) {
    setObjectName(QStringLiteral("ImportaEsporta"));
    mp3_ = new Mp3FolderAction(services, window);
    setLists_ = new SetListExportAction(services, window);
}

CsvMenu::~CsvMenu() = default;

void CsvMenu::addActions(QMenu& menu) {
    // Before "Scalette..." when the menu has it, which stays the last item in a
    // group of its own; otherwise at the end.
    QAction* before = menu.findChild<QAction*>(QStringLiteral("MenuScalette"));
    if (!before) {
        menu.addSeparator();
    }
    const struct {
        const char* name;
        const char* caption;
        QObject* target;
        std::function<void()> run;
    } items[] = {
        {"MenuImportaCsv", "Importa CSV...", this, [this] { importCsv(); }},
        {"MenuEsportaCsv", "Esporta CSV...", this, [this] { exportCsv(); }},
        {"MenuImportaCartellaMp3", "Importa cartella MP3...", mp3_, [this] { mp3_->run(); }},
        {"MenuEsportaM3u", "Esporta scaletta come play list (M3U8)...", setLists_,
         [this] { setLists_->exportPlayList(); }},
        {"MenuEsportaPdf", "Esporta scaletta da stampare (PDF)...", setLists_,
         [this] { setLists_->exportPage(); }},
    };
    for (const auto& item : items) {
        auto* a = new QAction(QString::fromUtf8(item.caption), &menu);
        a->setObjectName(QString::fromLatin1(item.name));
        menu.insertAction(before, a);
        connect(a, &QAction::triggered, item.target, item.run);
    }
    if (before) {
        menu.insertSeparator(before);
    }
}

void CsvMenu::importCsv() {
    if (preview_ && preview_->isVisible()) {
        preview_->raise();
        return;
    }
    const QString file = s_.files.chooseFile(
        kImportTitle, s_.state.PathLavoro,
        QStringLiteral("Fogli di calcolo CSV (*.csv *.CSV *.txt *.TXT);;Tutti i file (*)"),
        window_);
    if (file.isEmpty()) {
        return;
    }
    auto import = std::make_shared<CsvImport>(CsvImport::read(file));
    if (!import->error().isEmpty()) {
        s_.prompter.tell(import->error(), kImportTitle, Message::Icon::Critical);
        return;
    }
    preview_ = new CsvPreviewDialog(*import, file, window_);
    preview_->setWindowModality(Qt::WindowModal);
    // The import runs once the preview has gone: its progress window lets the event
    // loop run, which may delete the closed preview.
    connect(preview_, &QDialog::accepted, this, [this, import, file] {
        QMetaObject::invokeMethod(
            this, [this, import, file] { runImport(*import, file); }, Qt::QueuedConnection);
    });
    preview_->show();
}

void CsvMenu::runImport(const CsvImport& import, const QString& fileName) {
    QString error;
    const QString copy = LibraryBackup::beforeImport(s_.library(), &error);
    if (copy.isEmpty()) {
        s_.prompter.tell(error, kImportTitle, Message::Icon::Critical);
        return;
    }
    const int total = int(import.songs().size());
    bool added = false;
    {
        CsvProgress progress(QStringLiteral("Importazione di %1 brani da \"%2\"...")
                                 .arg(total)
                                 .arg(QFileInfo(fileName).fileName()),
                             total, window_);
        added = import.add(
            s_.writer,
            [&](int done) {
                emit progressed(done, total);
                return progress.step(done);
            },
            &error);
    }
    const QString where =
        QStringLiteral("La copia dell'archivio com'era prima è in \"%1\".").arg(native(copy));
    if (!added) {
        ImportOutcome::tellNothingAdded(s_.prompter, error, where, kImportTitle);
        return;
    }
    QString text = QStringLiteral("Importati %1 brani da \"%2\".").arg(total).arg(native(fileName));
    const QStringList problems = import.problems();
    if (!problems.isEmpty()) {
        text += QStringLiteral("\nRighe non importate: %1.").arg(problems.size());
        for (int i = 0; i < problems.size() && i < kListedProblems; ++i) {
            text += QLatin1Char('\n') + problems[i];
        }
        if (problems.size() > kListedProblems) {
            text += QStringLiteral("\n...");
        }
    }
    const QStringList gearProblems = import.gearProblems();
    for (int i = 0; i < gearProblems.size() && i < kListedProblems; ++i) {
        text += QLatin1Char('\n') + gearProblems[i];
    }
    if (gearProblems.size() > kListedProblems) {
        text += QStringLiteral("\n...");
    }
    s_.prompter.tell(text + QLatin1Char('\n') + where, kImportTitle, Message::Icon::Information);
}

void CsvMenu::exportCsv() {
    QStringList what = {QStringLiteral("Tutto l'archivio")};
    for (int i = 1; i <= 5; ++i) {
        what << QStringLiteral("Scaletta %1").arg(i);
    }
    const std::optional<int> list =
        s_.files.chooseItem(kExportTitle, QStringLiteral("Che cosa esportare?"), what, window_);
    if (!list || *list < 0 || *list > 5) {
        return;
    }
    const QString suggested =
        s_.state.PathLavoro +
        (*list == 0 ? QStringLiteral("Brani.csv") : QStringLiteral("Scaletta%1.csv").arg(*list));
    QString file = s_.saver.chooseSaveFile(kExportTitle, suggested,
                                           QStringLiteral("Fogli di calcolo CSV (*.csv)"), window_);
    if (file.isEmpty()) {
        return;
    }
    if (QFileInfo(file).suffix().isEmpty()) {
        file += QStringLiteral(".csv");
    }
    QString error;
    QVector<GearMessages> gear;
    const auto songs = CsvExport::songs(s_.library(), *list, &error, &gear);
    if (!songs ||
        !CsvExport::write(file, *songs, CsvFormat::separatorFor(QLocale()), &error, gear)) {
        s_.prompter.tell(error, kExportTitle, Message::Icon::Critical);
        return;
    }
    s_.prompter.tell(
        QStringLiteral("Esportati %1 brani in \"%2\".").arg(songs->size()).arg(native(file)),
        kExportTitle, Message::Icon::Information);
}
