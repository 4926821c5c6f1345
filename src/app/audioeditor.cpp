#include "app/audioeditor.h"

#include <QMenu>
#include <QMenuBar>

#include "app/audio.h"
#include "app/audioaccess.h"
#include "app/audiolibrary.h"
#include "app/editorlist.h"
#include "editor/chooserfolders.h"
#include "editor/dialogfilechooser.h"
#include "editor/songeditor.h"
#include "exchange/csvmenu.h"
#include "exchange/dialogexportchooser.h"
#include "gear/gearsender.h"
#include "library/datasource.h"
#include "library/librarywriter.h"
#include "library/listfollower.h"
#include "library/songdatabase.h"
#include "library/songgrid.h"
#include "platform/fileprobe.h"

AudioEditor::AudioEditor(Audio& w) : QObject(&w) {
    setObjectName(QStringLiteral("AudioEditor"));
    AudioControls& c = w.controls();
    const Services& s = w.services();
    DataSource* data1 = c.Data1;
    const FileProbe* probe = &s.files;
    writer_ = new LibraryWriter(
        [data1, probe] {
            const QString name = data1->databaseName();
            const QString found = probe->resolve(name);
            return found.isEmpty() ? name : found;
        },
        this);
    follow1_ = new ListFollower(*c.Data1, w.library().aggiornaDBG(), this);
    follow2_ = new ListFollower(*c.Data2, w.library().aggiornaDBG2(), this);
    // The main list shows the changed song; the prepared song's list keeps its
    // highlight on the prepared song (the play list goes on from there).
    connect(writer_, &LibraryWriter::changed, this, [this](qint64 id) {
        follow2_->keep(id);
        follow1_->follow(id);
    });
    FileChooser* chooser = s.fileChooser;
    if (!chooser) {
        desktopChooser_ = std::make_unique<DialogFileChooser>();
        chooser = desktopChooser_.get();
    }
    folders_ = std::make_unique<ChooserFolders>(s.configPath);
    EditorServices services{*writer_, s.prompter, *chooser, w.state(),
                            s.clock,  s.grooves,  s.player, *folders_};
    services.gear = s.gear;
    shownList_ = std::make_unique<EditorList>(*data1, w.library().lists());
    editor_ = new SongEditor(
        services,
        [data1] {
            const QVariant id = data1->value(SongDatabase::kKeyField);
            return id.isNull() ? qint64(-1) : id.toLongLong();
        },
        &w, shownList_.get());
    QMenu* archivio = editor_->addMenu(*w.menuBar(), c.Funz ? c.Funz->menuAction() : nullptr);
    new AudioAccess(w, *archivio);
    // Imports and exports: spreadsheets, a folder of MP3s, running orders.
    ExportChooser* saver = s.exportChooser;
    if (!saver) {
        desktopSaver_ = std::make_unique<DialogExportChooser>();
        saver = desktopSaver_.get();
    }
    const CsvServices exchange{*writer_,
                               [data1, probe] {
                                   const QString name = data1->databaseName();
                                   const QString found = probe->resolve(name);
                                   return found.isEmpty() ? name : found;
                               },
                               s.prompter,
                               *chooser,
                               *saver,
                               s.files,
                               w.state()};
    (new CsvMenu(exchange, &w))->addActions(*archivio);
    // A double click opens the song under the mouse (the press made it current).
    connect(c.DBGrid1, &SongGrid::doubleClicked, editor_, [this](const QModelIndex& index) {
        if (index.isValid()) {
            editor_->editCurrent();
        }
    });
}

AudioEditor::~AudioEditor() = default;
