#include "platform/elidedradiobutton.h"

#include <QEvent>
#include <QStyleOptionButton>
#include <QStylePainter>

#include "platform/elidedlabel.h"

ElidedRadioButton::ElidedRadioButton(const QString& text, QWidget* parent)
    : QRadioButton(text, parent) {}

int ElidedRadioButton::textRoom() const {
    QStyleOptionButton option;
    initStyleOption(&option);
    const QRect contents = style()->subElementRect(QStyle::SE_RadioButtonContents, &option, this);
    // The style draws the caption with a little space on each side.
    return std::max(contents.width() - 4, 0);
}

QString ElidedRadioButton::shownText() const {
    return fontMetrics().elidedText(text(), Qt::ElideRight, textRoom());
}

QSize ElidedRadioButton::sizeHint() const {
    // The size of the indicator and a short caption: long captions take what room
    // the layout has left, never more.
    const QSize full = QRadioButton::sizeHint();
    const int extra = fontMetrics().horizontalAdvance(text()) -
                      fontMetrics().horizontalAdvance(QStringLiteral("MMMMMMMM"));
    return {extra > 0 ? full.width() - extra : full.width(), full.height()};
}

QSize ElidedRadioButton::minimumSizeHint() const {
    const QSize full = QRadioButton::minimumSizeHint();
    const int extra = fontMetrics().horizontalAdvance(text()) -
                      fontMetrics().horizontalAdvance(QStringLiteral("\u2026"));
    return {extra > 0 ? full.width() - extra : full.width(), full.height()};
}

void ElidedRadioButton::paintEvent(QPaintEvent*) {
    refreshTip();
    QStylePainter painter(this);
    QStyleOptionButton option;
    initStyleOption(&option);
    // A "&" in a folder name is shown as written, not as a shortcut mark.
    option.text = shownText().replace(QLatin1Char('&'), QStringLiteral("&&"));
    painter.drawControl(QStyle::CE_RadioButton, option);
}

void ElidedRadioButton::resizeEvent(QResizeEvent* event) {
    QRadioButton::resizeEvent(event);
    refreshTip();
}

bool ElidedRadioButton::event(QEvent* event) {
    if (event->type() == QEvent::ToolTip || event->type() == QEvent::Show) {
        refreshTip();
    }
    return QRadioButton::event(event);
}

void ElidedRadioButton::refreshTip() {
    const bool cut = shownText() != text();
    if (cut && (!ownTip_ || tipFor_ != text())) {
        tipFor_ = text();
        ownTip_ = true;
        setToolTip(ElidedLabel::plainTip(tipFor_));
    } else if (!cut && ownTip_) {
        ownTip_ = false;
        tipFor_.clear();
        setToolTip(QString());
    }
}
