#pragma once

#include <QWidget>

class SongbookView;

// The window "Spartito": the songbook's page of the song prepared, by itself, for a
// screen on the music stand or beside the main window. Page Down, Page Up and the
// arrow keys turn the page (what a page-turner that is no pedal box sends); Space
// stops the sound as everywhere. Resizable; full screen by a double click. GUI
// thread.
class ScoreWindow : public QWidget {
    Q_OBJECT
public:
    explicit ScoreWindow(QWidget* parent = nullptr);

    SongbookView& pageView() const { return *page_; }

    static QString windowTitleText() { return QStringLiteral("Quintora - Spartito"); }

    // The page a key turns to: +1, -1, or 0 for a key that turns nothing.
    static int pageKeyStep(int key);

signals:
    // The performer asked for the next (+1) or the previous (-1) page.
    void turnAsked(int by);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    SongbookView* page_ = nullptr;
};
