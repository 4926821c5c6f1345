#include "stage/songbookview.h"

#include <QPainter>
#include <QResizeEvent>
#include <algorithm>

SongbookView::SongbookView(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("PalcoPagina"));
    setAccessibleName(QStringLiteral("Pagina del canzoniere"));
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    setMinimumSize(120, 160);
}

void SongbookView::setPage(const QImage& image, const QString& caption) {
    image_ = image;
    caption_ = caption;
    text_.clear();
    setAccessibleDescription(caption);
    update();
}

void SongbookView::clearPage(const QString& text) {
    image_ = QImage();
    caption_.clear();
    text_ = text;
    setAccessibleDescription(text);
    update();
}

int SongbookView::captionHeight() const {
    return std::max(12, height() / 28);
}

// The room for the page: the whole area less the caption's line beneath.
QRect SongbookView::pageRect() const {
    return rect().adjusted(0, 0, 0, -captionHeight() - 4);
}

QSize SongbookView::pageBox() const {
    return (QSizeF(pageRect().size()) * devicePixelRatioF()).toSize();
}

void SongbookView::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    emit pageBoxChanged(pageBox());
}

void SongbookView::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    emit pageBoxChanged(pageBox());
}

void SongbookView::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), QColor(0, 0, 0));
    const QRect room = pageRect();
    QFont f = font();
    f.setPixelSize(captionHeight());
    p.setFont(f);
    if (image_.isNull()) {
        p.setPen(QColor(150, 150, 150));
        p.drawText(room, Qt::AlignCenter | Qt::TextWordWrap, text_);
        return;
    }
    // Drawn for this area: shown at its own pixels when it fits (no blur), else
    // scaled down smoothly (the window shrank since).
    const qreal ratio = devicePixelRatioF();
    QSizeF size = QSizeF(image_.size()) / ratio;
    if (size.width() > room.width() || size.height() > room.height()) {
        size.scale(room.size(), Qt::KeepAspectRatio);
    }
    const QRectF target(room.left() + (room.width() - size.width()) / 2,
                        room.top() + (room.height() - size.height()) / 2, size.width(),
                        size.height());
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    p.drawImage(target, image_);
    p.setPen(QColor(200, 200, 200));
    p.drawText(QRect(0, room.bottom() + 4, width(), captionHeight()), Qt::AlignCenter, caption_);
}
