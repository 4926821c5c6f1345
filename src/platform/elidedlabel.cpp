#include "platform/elidedlabel.h"

#include <QEvent>
#include <QPainter>
#include <QStyle>

namespace {

// The most a label asks for, in average characters: enough for a title or a folder
// path to read well; longer ones are cut.
constexpr int kPreferredChars = 60;

}  // namespace

ElidedLabel::ElidedLabel(const QString& text, QWidget* parent) : QLabel(parent) {
    setTextFormat(Qt::PlainText);
    setWordWrap(false);
    setText(text);
}

QString ElidedLabel::plainTip(const QString& text) {
    return Qt::convertFromPlainText(text, Qt::WhiteSpaceNoWrap);
}

void ElidedLabel::setElideMode(Qt::TextElideMode mode) {
    mode_ = mode;
    update();
}

QString ElidedLabel::shownText() const {
    const int room = contentsRect().width() - 2 * margin() - (indent() > 0 ? indent() : 0);
    return fontMetrics().elidedText(text(), mode_, std::max(room, 0));
}

QSize ElidedLabel::sizeHint() const {
    const QSize full = QLabel::sizeHint();
    if (!pixmap().isNull()) {
        return full;
    }
    const int most =
        fontMetrics().averageCharWidth() * kPreferredChars + 2 * margin() + 2 * frameWidth();
    return {std::min(full.width(), most), full.height()};
}

QSize ElidedLabel::minimumSizeHint() const {
    // As narrow as the "..." alone: the layout, not the text, decides the width.
    const QSize full = QLabel::minimumSizeHint();
    const int narrow =
        fontMetrics().horizontalAdvance(QStringLiteral("\u2026")) + 2 * margin() + 2 * frameWidth();
    return {std::min(full.width(), narrow), full.height()};
}

void ElidedLabel::paintEvent(QPaintEvent* event) {
    if (!pixmap().isNull() || textFormat() != Qt::PlainText || wordWrap()) {
        QLabel::paintEvent(event);
        return;
    }
    refreshTip();
    QPainter painter(this);
    drawFrame(&painter);
    const QRect room = contentsRect().adjusted(margin(), margin(), -margin(), -margin());
    style()->drawItemText(&painter, room,
                          int(QStyle::visualAlignment(layoutDirection(), alignment())), palette(),
                          isEnabled(), shownText(), foregroundRole());
}

void ElidedLabel::resizeEvent(QResizeEvent* event) {
    QLabel::resizeEvent(event);
    refreshTip();
}

bool ElidedLabel::event(QEvent* event) {
    // A tooltip asked for before any paint still shows the whole text.
    if (event->type() == QEvent::ToolTip || event->type() == QEvent::Show) {
        refreshTip();
    }
    return QLabel::event(event);
}

void ElidedLabel::refreshTip() {
    const bool cut = shownText() != text();
    if (cut && (!ownTip_ || tipFor_ != text())) {
        tipFor_ = text();
        ownTip_ = true;
        setToolTip(plainTip(tipFor_));
    } else if (!cut && ownTip_) {
        ownTip_ = false;
        tipFor_.clear();
        setToolTip(QString());
    }
}
