#include "songbook/songbookstand.h"

#include <QFileInfo>

#include "songbook/songbookshelf.h"

SongbookStand::SongbookStand(QObject* parent) : QObject(parent), pages_(new SongbookPages(this)) {
    setObjectName(QStringLiteral("Leggio"));
    connect(pages_, &SongbookPages::shown, this, &SongbookStand::shown);
    connect(pages_, &SongbookPages::failed, this, &SongbookStand::failed);
}

SongbookStand::~SongbookStand() = default;

void SongbookStand::setBooks(const QList<Songbook>& books) {
    if (books == books_) {
        return;
    }
    books_ = books;
    if (hasSong_) {
        ask();
    }
    emit changed();
}

void SongbookStand::setBox(QSize box) {
    if (box == box_ || box.isEmpty()) {
        return;
    }
    box_ = box;
    if (hasSong_) {
        ask();
    }
    if (hasNext_) {
        comesNext(next_);
    }
}

void SongbookStand::prepared(const SongPage& song) {
    song_ = song;
    hasSong_ = true;
    turned_ = 0;
    ask();
}

void SongbookStand::comesNext(const SongPage& song) {
    next_ = song;
    hasNext_ = true;
    mayCome(song);
}

void SongbookStand::mayCome(const SongPage& song) {
    const std::optional<SongbookPlace> place = SongbookShelf(books_).place(song.printed, song.book);
    if (place && place->error.isEmpty() && !box_.isEmpty()) {
        pages_->ahead({place->path, place->page, box_});
    }
}

void SongbookStand::turn(int by) {
    if (!hasSong_ || by == 0) {
        return;
    }
    const std::optional<SongbookPlace> place =
        SongbookShelf(books_).place(song_.printed, song_.book);
    // Nothing to turn, or the PDF's first page reached: the page stays.
    if (!place || !place->error.isEmpty() || place->page + turned_ + by < 0) {
        return;
    }
    turned_ += by;
    ask();
}

void SongbookStand::ask() {
    const std::optional<SongbookPlace> place =
        SongbookShelf(books_).place(song_.printed, song_.book);
    if (!place || !place->error.isEmpty()) {
        // A song without a page, or no books: no page rather than another song's.
        asked_ = {};
        shownKey_ = {};
        image_ = QImage();
        alert_ = place ? place->error : QString();
        emit changed();
        return;
    }
    if (box_.isEmpty()) {
        return;  // asked again once the page area has a size
    }
    asked_ = {place->path, place->page + turned_, box_};
    askedTurned_ = turned_;
    pages_->show(asked_);
}

void SongbookStand::shown(const PageKey& key, const QImage& image) {
    if (!(key == asked_)) {
        return;
    }
    shownKey_ = key;
    shownTurned_ = askedTurned_;
    image_ = image;
    alert_.clear();
    emit changed();
}

void SongbookStand::failed(const PageKey& key, const QString& text) {
    if (!(key == asked_)) {
        return;
    }
    if (askedTurned_ != shownTurned_ && !image_.isNull() && shownKey_.path == key.path) {
        // Turned past the book's end: the page shown stays, and so does the count.
        turned_ = shownTurned_;
        asked_ = shownKey_;
    } else {
        shownKey_ = {};
        image_ = QImage();
    }
    alert_ = text;
    emit changed();
}

QString SongbookStand::caption() const {
    if (image_.isNull()) {
        return {};
    }
    const QString book = QFileInfo(shownKey_.path).completeBaseName();
    const int printed = song_.printed + shownTurned_;
    return shownTurned_ == 0 ? QStringLiteral("%1, pag. %2").arg(book).arg(printed)
                             : QStringLiteral("%1, pag. %2 (%3%4)")
                                   .arg(book)
                                   .arg(printed)
                                   .arg(shownTurned_ > 0 ? QStringLiteral("+") : QString())
                                   .arg(shownTurned_);
}
