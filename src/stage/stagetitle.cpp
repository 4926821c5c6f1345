#include "stage/stagetitle.h"

#include <QEvent>
#include <QPainter>
#include <QTextLayout>

StageTitle::StageTitle(QWidget* parent) : QLabel(parent) {
    setTextFormat(Qt::PlainText);
    setWordWrap(false);
    setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed);
}

QStringList StageTitle::wrap(const QString& text, const QFont& font, int width) {
    QStringList lines;
    const QString whole = text.simplified();
    if (whole.isEmpty() || width <= 0) {
        return lines;
    }
    QTextLayout layout(whole, font);
    QTextOption option;
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    layout.setTextOption(option);
    layout.beginLayout();
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
        line.setLineWidth(width);
        if (lines.size() == kLines - 1) {
            // The last line takes all that is left, cut where it no longer fits.
            lines << QFontMetrics(font).elidedText(whole.mid(line.textStart()).trimmed(),
                                                   Qt::ElideRight, width);
            break;
        }
        lines << whole.mid(line.textStart(), line.textLength()).trimmed();
    }
    layout.endLayout();
    return lines;
}

QStringList StageTitle::shownLines() const {
    return wrap(text(), font(), contentsRect().width());
}

QSize StageTitle::sizeHint() const {
    return {fontMetrics().averageCharWidth() * 30, minimumSizeHint().height()};
}

QSize StageTitle::minimumSizeHint() const {
    const QMargins m = contentsMargins();
    return {fontMetrics().averageCharWidth() * 4,
            kLines * fontMetrics().lineSpacing() + m.top() + m.bottom()};
}

void StageTitle::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setPen(palette().color(foregroundRole()));
    const QRect room = contentsRect();
    const int step = fontMetrics().lineSpacing();
    int y = room.top();
    for (const QString& line : shownLines()) {
        painter.drawText(QRect(room.left(), y, room.width(), step),
                         int(Qt::AlignLeft | Qt::AlignVCenter), line);
        y += step;
    }
}

void StageTitle::changeEvent(QEvent* event) {
    QLabel::changeEvent(event);
    if (event->type() == QEvent::FontChange) {
        setFixedHeight(minimumSizeHint().height());
    }
}
