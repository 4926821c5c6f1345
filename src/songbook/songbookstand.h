#pragma once

#include <QImage>
#include <QList>
#include <QObject>
#include <QSize>
#include <QString>

#include "songbook/songbook.h"
#include "songbook/songbookpages.h"

// The songbook on the music stand: the page of the song prepared, fitted to the
// page area, turned back and forth by the page pedals, and the page of the song that
// comes next drawn ahead so that it is in hand the moment that song is prepared.
// The song's own page comes back at its next preparation. A page that cannot be
// shown (no such book, a missing or damaged PDF, a page past the book's end) is told
// in one line for the stage's alert, never in a message box; the last page shown
// stays until another is. The drawing happens on SongbookPages' thread. GUI thread.
class SongbookStand : public QObject {
    Q_OBJECT
public:
    // A song's page as the library has it: its printed page (0: none) and its book
    // (0: the first).
    struct SongPage {
        int printed = 0;
        int book = 0;
    };

    explicit SongbookStand(QObject* parent = nullptr);
    ~SongbookStand() override;

    void setBooks(const QList<Songbook>& books);
    bool hasBooks() const { return !books_.isEmpty(); }
    bool hasSong() const { return hasSong_; }
    // The area the page is fitted to, in device pixels: a new size draws the page
    // again at it.
    void setBox(QSize box);
    QSize box() const { return box_; }

    // A song was prepared: its own page, unturned.
    void prepared(const SongPage& song);
    // The song that comes next: its page is drawn ahead (again at each new size).
    void comesNext(const SongPage& song);
    // A song that may be prepared soon (the one highlighted): its page is drawn
    // ahead once.
    void mayCome(const SongPage& song);
    // The page pedals: +1 the next page of the book, -1 the one before.
    void turn(int by);

    // The page shown (null: none), its place and the line for the stage's alert
    // (empty: nothing amiss).
    const QImage& image() const { return image_; }
    const PageKey& shownKey() const { return shownKey_; }
    const QString& alert() const { return alert_; }
    // "Pagina 12 del PDF" and how far it was turned, for the page area's caption.
    QString caption() const;

    // The drawing, for the benchmark and the tests.
    SongbookPages& pages() { return *pages_; }

signals:
    // The page or the alert changed.
    void changed();

private:
    // Asks for the page of the song prepared, turned by turned_.
    void ask();
    void shown(const PageKey& key, const QImage& image);
    void failed(const PageKey& key, const QString& text);

    SongbookPages* pages_ = nullptr;
    QList<Songbook> books_;
    QSize box_;
    SongPage song_;
    bool hasSong_ = false;
    int turned_ = 0;       // pages turned from the song's own
    int askedTurned_ = 0;  // turned_ of the page last asked for
    int shownTurned_ = 0;  // turned_ of the page on show
    SongPage next_;
    bool hasNext_ = false;
    PageKey asked_;  // the page last asked for
    PageKey shownKey_;
    QImage image_;
    QString alert_;
};
