#pragma once

#include <QComboBox>
#include <QList>

#include "songbook/songbook.h"

// The song dialog's choice of the songbook its page is in (`CmbCanzoniere`): the books
// of the settings by file name, the first marked "(predefinito)" (the book of every
// song that names none). A song that names a book the settings no longer have shows
// "Canzoniere N (non c'è più)" and keeps it unless another is chosen. GUI thread only.
class SongbookChoice : public QComboBox {
    Q_OBJECT
public:
    // books: the settings' books as the dialog opens.
    explicit SongbookChoice(const QList<Songbook>& books, QWidget* parent = nullptr);

    // Shows the song's book as stored (0 or 1: the first). read false: it could not be
    // read; the first is shown, and stored only when chosen.
    void load(int book, bool read);
    // Whether the choice differs from what load() gave, so that it must be stored.
    bool changed() const;
    // The number of the book chosen among books, the settings' books now: they may
    // have been moved since the dialog opened, and the choice follows its book.
    int chosen(const QList<Songbook>& books) const;

    static QString defaultMark() { return QStringLiteral(" (predefinito)"); }
    static QString goneText(int book);

private:
    QList<Songbook> books_;
    int loaded_ = 1;
    bool read_ = true;
};
