#include "app/audiosongbook.h"

#include "app/audio.h"
#include "library/datasource.h"
#include "library/rowset.h"
#include "library/songbookstore.h"
#include "show/showcore.h"
#include "songbook/songbookstand.h"
#include "stage/scorewindow.h"
#include "stage/songbookview.h"
#include "stage/stagewindow.h"

namespace {

// The page and book of row `row` of the list d shows (row -1: its current row); no
// page past the list's end.
SongbookStand::SongPage pageOf(const DataSource& d, int row) {
    const std::shared_ptr<RowSet> rows = d.rowSet();
    if (!rows || row < 0 || row >= d.rowCount()) {
        return {};
    }
    const int pageColumn = rows->fieldIndex(QStringLiteral("Pagina"));
    const int idColumn = rows->fieldIndex(QStringLiteral("Id"));
    SongbookStand::SongPage song;
    song.printed = pageColumn < 0 ? 0 : rows->valueAt(row, pageColumn).toInt();
    if (idColumn >= 0 && rows->database() && song.printed > 0) {
        QString error;  // a book that cannot be read counts as the first
        song.book = SongbookStore::book(*rows->database(),
                                        rows->valueAt(row, idColumn).toLongLong(), &error);
    }
    return song;
}

}  // namespace

AudioSongbook::AudioSongbook(Audio& window, QObject* parent)
    : QObject(parent), w_(window), stand_(new SongbookStand(this)) {
    setObjectName(QStringLiteral("AudioSongbook"));
    stand_->setBooks(w_.state().Canzonieri);
    connect(&w_.core(), &ShowCore::prepared, this, &AudioSongbook::songPrepared);
    connect(&w_.core(), &ShowCore::pageAsked, stand_, &SongbookStand::turn);
    // The highlighted song is the one Esc prepares: its page is drawn while the
    // performer looks for it.
    const DataSource* list = w_.controls().Data1;
    connect(list, &DataSource::currentRowChanged, this, [this, list] {
        if (stand_->hasBooks()) {
            stand_->mayCome(pageOf(*list, list->absolutePosition()));
        }
    });
}

AudioSongbook::~AudioSongbook() {
    delete score_.data();
}

ScoreWindow* AudioSongbook::score() const {
    return score_.data();
}

void AudioSongbook::songPrepared() {
    stand_->setBooks(w_.state().Canzonieri);
    const DataSource& order = *w_.controls().Data2;
    const int row = order.absolutePosition();
    stand_->prepared(pageOf(order, row));
    stand_->comesNext(pageOf(order, row + 1));
}

void AudioSongbook::settingsChanged() {
    stand_->setBooks(w_.state().Canzonieri);
    // Books moved in the settings take their songs with them: the book the prepared
    // song names is read again.
    if (w_.showState().prepared > 0) {
        const DataSource& order = *w_.controls().Data2;
        stand_->prepared(pageOf(order, order.absolutePosition()));
    }
    if (stage_) {
        const bool books = stand_->hasBooks();
        stage_->setPageArea(!books                       ? StageWindow::PageArea::None
                            : w_.state().AreaPagina == 1 ? StageWindow::PageArea::Instead
                                                         : StageWindow::PageArea::Beside);
    }
    fitBox();
}

void AudioSongbook::attach(StageWindow& stage) {
    if (stage_ == &stage) {
        return;
    }
    stage_ = &stage;
    connectView(stage.pageView());
    connect(&stage, &StageWindow::turnAsked, stand_, &SongbookStand::turn);
    settingsChanged();
}

void AudioSongbook::openScore() {
    if (!score_) {
        score_ = new ScoreWindow(&w_);
        connectView(score_->pageView());
        connect(score_.data(), &ScoreWindow::turnAsked, stand_, &SongbookStand::turn);
    }
    score_->show();
    score_->raise();
    score_->activateWindow();
    stand_->setBooks(w_.state().Canzonieri);
    fitBox();
}

void AudioSongbook::connectView(SongbookView& view) {
    connect(&view, &SongbookView::pageBoxChanged, this, &AudioSongbook::fitBox);
    connect(stand_, &SongbookStand::changed, &view, [this, &view] { showOn(view); });
    showOn(view);
}

void AudioSongbook::showOn(SongbookView& view) {
    if (!stand_->image().isNull()) {
        view.setPage(stand_->image(), stand_->caption());
    } else if (!stand_->hasBooks()) {
        view.clearPage(QStringLiteral("Nessun canzoniere nelle impostazioni"));
    } else if (!stand_->alert().isEmpty()) {
        view.clearPage(stand_->alert());
    } else {
        view.clearPage(stand_->hasSong() ? QStringLiteral("Nessuna pagina per questo brano")
                                         : QString());
    }
}

// A page area that shows gets a size: the highlighted song's page (the one Esc
// prepares) is drawn ahead at it, so that the first song's page too is at hand.
void AudioSongbook::fitBox() {
    QSize box;
    for (const SongbookView* view :
         {stage_ ? &stage_->pageView() : nullptr, score_ ? &score_->pageView() : nullptr}) {
        if (view && view->isVisible()) {
            box = box.expandedTo(view->pageBox());
        }
    }
    const bool first = stand_->box().isEmpty();
    stand_->setBox(box);
    if (first && !box.isEmpty() && stand_->hasBooks()) {
        const DataSource& list = *w_.controls().Data1;
        stand_->mayCome(pageOf(list, list.absolutePosition()));
    }
}
