#include "editor/songbookchoice.h"

#include <QFileInfo>
#include <algorithm>

SongbookChoice::SongbookChoice(const QList<Songbook>& books, QWidget* parent)
    : QComboBox(parent), books_(books) {
    setObjectName(QStringLiteral("CmbCanzoniere"));
    setAccessibleName(QStringLiteral("Canzoniere"));
    setToolTip(QStringLiteral("Il canzoniere (PDF) in cui si trova la pagina del brano"));
    for (int i = 0; i < books_.size(); ++i) {
        const QString name = QFileInfo(books_[i].path).fileName();
        addItem((name.isEmpty() ? books_[i].path : name) + (i == 0 ? defaultMark() : QString()),
                i + 1);
    }
    load(1, true);
}

void SongbookChoice::load(int book, bool read) {
    loaded_ = std::max(book, 1);
    read_ = read;
    if (loaded_ > books_.size() && !books_.isEmpty()) {
        addItem(goneText(loaded_), loaded_);
    }
    const int index = findData(loaded_);
    setCurrentIndex(index < 0 ? 0 : index);
}

bool SongbookChoice::changed() const {
    if (count() == 0) {
        return false;  // no books to choose from: the song's stays as it is
    }
    const int now = currentData().toInt();
    return read_ ? now != loaded_ : now > 1;
}

int SongbookChoice::chosen(const QList<Songbook>& books) const {
    const int number = currentData().toInt();
    if (books == books_ || number < 1 || number > books_.size()) {
        return std::max(number, 1);
    }
    // The settings changed while the dialog was open: the same file where it is now.
    for (int i = 0; i < books.size(); ++i) {
        if (books[i].path == books_[number - 1].path) {
            return i + 1;
        }
    }
    return number;
}

QString SongbookChoice::goneText(int book) {
    return QStringLiteral("Canzoniere %1 (non c'è più)").arg(book);
}
