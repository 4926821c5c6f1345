#pragma once

#include <QPalette>
#include <QRect>
#include <QWidget>
#include <array>

#include "stage/transportsnapshot.h"

class ElidedLabel;
class Lamp;
class QLabel;
class QProgressBar;
class QPushButton;
class SongbookView;
class StageTitle;
class TransportModel;

// The stage view "Palco": a second, resizable window read from three metres away
// in the dark. It shows the prepared song (title on up to two lines, author, page,
// capo, BPM) in large type, what sounds and for how long, an MP3's elapsed and
// remaining time with a progress bar, the next song of the list and the song marked
// to come next, and the lamps a performer reads (tempo flash, pedals, preload).
// Every text scales with the window. The whole key table of the main window works
// here (the program's key handler takes the keys); full screen is toggled by its
// button or a double click, never by a key. It follows the transport model only,
// never the grid's highlight. With songbooks set, the song's page (SongbookView)
// shows beside the texts or in their place. GUI thread only.
class StageWindow : public QWidget {
    Q_OBJECT
public:
    explicit StageWindow(TransportModel& model, QWidget* parent = nullptr);

    // Where the songbook's page shows: nowhere (no songbook), beside the song's
    // texts, or in their place (one line then keeps the title, capo, BPM and what
    // sounds in sight).
    enum class PageArea { None, Beside, Instead };
    void setPageArea(PageArea area);
    PageArea pageArea() const { return area_; }
    SongbookView& pageView() const { return *page_; }

    // Full screen on or off (the window's own button and a double click do this).
    void setFullScreen(bool on);
    bool fullScreenWanted() const { return fullScreen_; }
    // The window's place and size when not full screen.
    QRect normalPlace() const;
    // Puts the window where it was (before it is shown), whole inside room (the
    // screen's free area less the window's frame); without a place, at a size that
    // fits the screen. An empty room leaves the place as it is.
    void restorePlace(const QRect& place, bool fullScreen, const QRect& room = QRect());
    // The place restorePlace gives: place (invalid: none) made to fit in room.
    static QRect placeWithin(const QRect& place, const QRect& room);

    // The texts as shown, for tests and the accessibility tree.
    QString titleText() const;
    QString soundingText() const;
    QString timeText() const;
    QString nextText() const;
    QString cuedText() const;
    QString alertText() const;
    QString lineText() const;  // the one line shown with the page in place of the texts

    // The type size in pixels of the title at the window's present size.
    int titlePixels() const { return titlePixels_; }

    static QString windowTitleText() { return QStringLiteral("Quintora - Palco"); }
    // The stage's colours, dark so as to be read in the dark without dazzling.
    static QPalette darkPalette(QPalette from);

signals:
    // The window was hidden or closed (its place is worth remembering).
    void placeChanged();
    // Page Down, Page Up or an arrow key while the page shows: the next (+1) or the
    // previous (-1) page.
    void turnAsked(int by);

protected:
    void resizeEvent(QResizeEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    void build();
    void display(const TransportSnapshot& s);
    void scaleTexts();

    TransportModel& model_;
    StageTitle* title_ = nullptr;
    ElidedLabel* author_ = nullptr;
    QLabel* details_ = nullptr;
    QLabel* sounding_ = nullptr;
    QLabel* time_ = nullptr;
    QProgressBar* progress_ = nullptr;
    ElidedLabel* next_ = nullptr;
    QLabel* countdown_ = nullptr;  // PalcoConteggio: the seconds before the next song
    QLabel* alert_ = nullptr;      // PalcoAvviso: a device the show waits for
    ElidedLabel* cued_ = nullptr;
    QLabel* line_ = nullptr;  // PalcoRiga: the song in one line, the page in place of the texts
    QWidget* texts_ = nullptr;
    SongbookView* page_ = nullptr;  // PalcoPagina
    PageArea area_ = PageArea::None;
    QPushButton* fullButton_ = nullptr;
    std::array<Lamp*, TransportSnapshot::kLampCount> lamps_{};
    QRect normalPlace_;
    bool fullScreen_ = false;
    int titlePixels_ = 0;
};
