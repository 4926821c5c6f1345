#include "app/audioaccess.h"

#include <QAction>
#include <QDir>
#include <QMenu>

#include "app/audio.h"
#include "app/impspath.h"
#include "app/salvadati.h"
#include "app/startup.h"
#include "editor/dialogfilechooser.h"
#include "exchange/accessimportflow.h"
#include "exchange/winsettingsdesktopchooser.h"
#include "exchange/winsettingsflow.h"
#include "library/datasource.h"
#include "library/songgrid.h"
#include "platform/fileprobe.h"
#include "platform/foldername.h"
#include "platform/hirestimer.h"

namespace {

// Imported settings put in force as start-up applies a file, then saved as the
// settings dialog saves them (its controls loaded from the running program).
void saveSettings(Audio& w, const ConfigData& d) {
    SharedState& st = w.state();
    const QString work = d.PathLavoro.toText();
    st.PathLavoro = work.isEmpty() ? QString() : FolderName::withSeparator(work);
    st.MetroFreq = d.MetroFreq;
    st.MetroDurata = d.MetroDurata;
    st.MetroAudio = std::int16_t(d.MetroAudio.toNumber());
    st.Quarti = std::int16_t(d.Quarti.toNumber());
    QFont font;
    font.setFamilies({d.fontName.toText()});
    font.setPointSizeF(d.fontSize.toNumber() > 0 ? d.fontSize.toNumber() : 10);
    font.setBold(d.fontBold.toBool());
    font.setItalic(d.fontItalic.toBool());
    w.setGridFont(font);
    w.setIntervals(Salvadati::intervalOf(d.pedalInterval.toText()),
                   Salvadati::intervalOf(d.preMuteInterval.toText()),
                   Salvadati::intervalOf(d.bufferInterval.toText()),
                   Salvadati::intervalOf(d.debounceInterval.toText()));
    w.setGridColors(1, qint64(d.leftBackColor.toNumber()), qint64(d.leftForeColor.toNumber()));
    w.setGridColors(2, qint64(d.rightBackColor.toNumber()), qint64(d.rightForeColor.toNumber()));
    Startup::applyColumns(d, st);
    for (int i = 0; i < 10; ++i) {
        const QString folder = d.CartelleMp3[std::size_t(i)].toText();
        st.CartelleMp3[std::size_t(i)] =
            folder.isEmpty() ? QString() : FolderName::withSeparator(folder);
        w.setFilterCaption(i, folder.isEmpty()
                                  ? QStringLiteral(" ")
                                  : FolderName::ownName(FolderName::withSeparator(folder)));
    }
    auto* dialog = new Impspath(w, &w);
    Salvadati(w, dialog->controls()).run();
    delete dialog;
}

}  // namespace

AudioAccess::AudioAccess(Audio& w, QMenu& archivio)
    : QObject(&w), desktopPaths_(std::make_unique<DesktopPathChooser>()) {
    setObjectName(QStringLiteral("AudioAccess"));
    const Services& s = w.services();
    if (!s.fileChooser) {
        desktopFiles_ = std::make_unique<DialogFileChooser>();
    }
    FileChooser& files = s.fileChooser ? *s.fileChooser : *desktopFiles_;
    PathChooser& paths = s.pathChooser ? *s.pathChooser : *desktopPaths_;
    paths_ = &paths;
    window_ = &w;
    DataSource* data1 = w.controls().Data1;
    const FileProbe* probe = &s.files;
    Audio* window = &w;
    access_ = std::make_unique<AccessImportFlow>(AccessImportFlow::Services{
        s.prompter, files, paths, &w, [window] { return window->state().PathLavoro; },
        [data1, probe] {
            const QString found = probe->resolve(data1->databaseName());
            return found.isEmpty() ? data1->databaseName() : found;
        },
        [window] { window->fillListChooser(); }});
    settings_ = std::make_unique<WinSettingsFlow>(WinSettingsFlow::Services{
        s.prompter, files, paths, &w,
        [window] {
            auto* dialog = new Impspath(*window, window);
            const ConfigData d = Salvadati(*window, dialog->controls()).configData();
            delete dialog;
            return d;
        },
        [window](const ConfigData& d) { saveSettings(*window, d); }, QDir::homePath(),
        s.configPath});

    // Before "Scalette...", which stays the menu's last item.
    QAction* before = archivio.findChild<QAction*>(QStringLiteral("MenuScalette"));
    const struct {
        const char* name;
        QString caption;
        std::function<void()> run;
    } items[] = {
        {"MenuImportaAccess", AccessImportFlow::menuCaption(),
         [this] { access_->chooseAndImport(); }},
        {"MenuImportaImpostazioni", WinSettingsFlow::menuCaption(),
         [this] { settings_->chooseAndImport(); }},
        {"MenuSalvaCopia", QStringLiteral("Salva una copia..."), [this] { access_->saveCopy(); }},
    };
    for (const auto& item : items) {
        auto* a = new QAction(item.caption, &archivio);
        a->setObjectName(QString::fromLatin1(item.name));
        connect(a, &QAction::triggered, this, item.run);
        archivio.insertAction(before, a);
    }
    archivio.insertSeparator(before);
}

AudioAccess::~AudioAccess() = default;

bool AudioAccess::offerImport(const QString& path) {
    return access_->offerImport(path);
}

bool AudioAccess::importWindowsSettingsInPlace(const QString& start) {
    return settings_->importInPlace(start);
}

bool AudioAccess::chooseWindowsSettings() {
    return settings_->chooseAndImport();
}

QString AudioAccess::chooseFolder(const QString& title, const QString& proposal) {
    return paths_->chooseFolder(title, proposal, window_);
}

AudioAccess* AudioAccess::of(Audio& window) {
    return window.findChild<AudioAccess*>(QStringLiteral("AudioAccess"),
                                          Qt::FindDirectChildrenOnly);
}
