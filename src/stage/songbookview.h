#pragma once

#include <QImage>
#include <QString>
#include <QWidget>

// The page area: the songbook's page, fitted whole to the area keeping its shape and
// centred on a dark ground, with a short caption beneath (the book and the page).
// Without a page it shows what it has to say in grey (no page for this song, the
// page being drawn). It tells the size it fits pages to (in device pixels), so that
// pages are drawn at it and never scaled up. GUI thread.
class SongbookView : public QWidget {
    Q_OBJECT
public:
    explicit SongbookView(QWidget* parent = nullptr);

    void setPage(const QImage& image, const QString& caption);
    // No page: text says why (empty: nothing at all).
    void clearPage(const QString& text);

    const QImage& page() const { return image_; }
    QString caption() const { return caption_; }
    // The area a page is fitted to, in device pixels.
    QSize pageBox() const;

    QSize sizeHint() const override { return {400, 520}; }

signals:
    // The area a page is fitted to changed (the window was resized or shown).
    void pageBoxChanged(QSize box);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    QRect pageRect() const;
    int captionHeight() const;

    QImage image_;
    QString caption_;
    QString text_;
};
