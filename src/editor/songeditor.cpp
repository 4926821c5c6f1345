#include "editor/songeditor.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>

#include "editor/setlistwindow.h"
#include "editor/shownlist.h"
#include "editor/songdialog.h"
#include "library/librarywriter.h"
#include "platform/prompter.h"

namespace {

const QString kNoSong = QStringLiteral("Nessun brano selezionato nella lista.");

}  // namespace

SongEditor::SongEditor(const EditorServices& services, std::function<qint64()> currentSong,
                       QWidget* window, ShownList* shown)
    : QObject(window),
      services_(services),
      currentSong_(std::move(currentSong)),
      window_(window),
      shown_(shown) {
    setObjectName(QStringLiteral("SongEditor"));
}

QMenu* SongEditor::addMenu(QMenuBar& bar, QAction* before) {
    auto* menu = new QMenu(QStringLiteral("Archivio"), &bar);
    menu->setObjectName(QStringLiteral("Archivio"));
    menu->menuAction()->setObjectName(QStringLiteral("ArchivioMenu"));
    bar.insertMenu(before, menu);
    const struct {
        const char* name;
        const char* caption;
        void (SongEditor::*run)();
    } items[] = {{"MenuNuovoBrano", "Nuovo brano...", &SongEditor::newSong},
                 {"MenuModificaBrano", "Modifica brano...", &SongEditor::editCurrent},
                 {"MenuEliminaBrano", "Elimina brano...", &SongEditor::deleteCurrent}};
    for (const auto& item : items) {
        QAction* a = menu->addAction(QString::fromUtf8(item.caption));
        a->setObjectName(QString::fromLatin1(item.name));
        connect(a, &QAction::triggered, this, item.run);
    }
    menu->addSeparator();
    QAction* lists = menu->addAction(QStringLiteral("Scalette..."));
    lists->setObjectName(QStringLiteral("MenuScalette"));
    connect(lists, &QAction::triggered, this, &SongEditor::openSetLists);
    return menu;
}

void SongEditor::open(qint64 id) {
    SongRecord song;
    song.Pagina = QVariant();
    song.BPM = QVariant();
    song.Loop = true;
    if (id >= 0) {
        QString error;
        const std::optional<SongRecord> stored = services_.writer.song(id, &error);
        if (!stored) {
            services_.prompter.tell(error, {}, Message::Icon::Critical);
            return;
        }
        song = *stored;
    }
    if (dialog_) {
        // One song dialog at a time: an open one is closed unsaved.
        dialog_->close();
    }
    dialog_ = new SongDialog(services_, id, song, window_);
    connect(dialog_, &SongDialog::saved, this, &SongEditor::saved);
    dialog_->setWindowFlag(Qt::Window);
    dialog_->show();
}

void SongEditor::newSong() {
    open(-1);
}

void SongEditor::editCurrent() {
    const qint64 id = currentSong_();
    if (id < 0) {
        services_.prompter.tell(kNoSong, {}, Message::Icon::Exclamation);
        return;
    }
    open(id);
}

void SongEditor::deleteCurrent() {
    const qint64 id = currentSong_();
    if (id < 0) {
        services_.prompter.tell(kNoSong, {}, Message::Icon::Exclamation);
        return;
    }
    QString error;
    const std::optional<SongRecord> song = services_.writer.song(id, &error);
    if (!song) {
        services_.prompter.tell(error, {}, Message::Icon::Critical);
        return;
    }
    QStringList lists;
    for (int i = 0; i < 5; ++i) {
        const QVariant& p = song->Sca[size_t(i)];
        if (!p.isNull() && p.toLongLong() > 0) {
            lists << QString::number(i + 1);
        }
    }
    QString text = QStringLiteral("Eliminare il brano \"%1\" dall'archivio?").arg(song->Titoli);
    if (!lists.isEmpty()) {
        text += (lists.size() == 1 ? QStringLiteral("\nIl brano è nella Scaletta %1.")
                                   : QStringLiteral("\nIl brano è nelle Scalette %1."))
                    .arg(lists.join(QStringLiteral(", ")));
    }
    text += QStringLiteral("\nI file audio non vengono cancellati.");
    const Message question{text, QStringLiteral("Elimina brano"), Message::Icon::Question,
                           Message::Buttons::YesNo, Message::Answer::No};
    if (services_.prompter.ask(question) != Message::Answer::Yes) {
        return;
    }
    if (!services_.writer.removeSong(id, &error)) {
        services_.prompter.tell(error, {}, Message::Icon::Critical);
    }
}

void SongEditor::saved(qint64 id, const SongRecord& song, bool added) {
    if (!added || !shown_ || id < 0 || shown_->holds(id)) {
        return;
    }
    QStringList lists;
    for (int i = 0; i < 5; ++i) {
        const QVariant& p = song.Sca[size_t(i)];
        if (!p.isNull() && p.toLongLong() > 0) {
            lists << QStringLiteral("%1 (n° %2)").arg(i + 1).arg(p.toLongLong());
        }
    }
    QString where = QStringLiteral("Non è in nessuna scaletta.");
    if (!lists.isEmpty()) {
        where = (lists.size() == 1 ? QStringLiteral("È nella Scaletta %1.")
                                   : QStringLiteral("È nelle Scalette %1."))
                    .arg(lists.join(QStringLiteral(", ")));
    }
    const Message question{
        QStringLiteral("Il brano \"%1\" è stato salvato, ma non è nella lista mostrata (%2).\n%3\n"
                       "Mostrarlo nell'elenco per titolo?")
            .arg(song.Titoli, shown_->name(), where),
        {},
        Message::Icon::Question,
        Message::Buttons::YesNo,
        Message::Answer::Yes};
    if (services_.prompter.ask(question) == Message::Answer::Yes) {
        shown_->showInTitles(id);
    }
}

SongDialog* SongEditor::dialog() const {
    return dialog_.data();
}

void SongEditor::openSetLists() {
    if (!setLists_) {
        setLists_ = new SetListWindow(services_.writer, services_.prompter, window_);
    }
    setLists_->show();
    setLists_->raise();
}
