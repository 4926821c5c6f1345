#include "platform/lamp.h"

#include <QPainter>

#include "platform/wincolor.h"

Lamp::Lamp(const QString& objectName, const QString& shows, std::int64_t color, QWidget* parent)
    : QWidget(parent), color_(color) {
    setObjectName(objectName);
    setAccessibleName(shows);
    setAccessibleDescription(WinColor::italianName(color));
    setMinimumSize(12, 12);
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
}

void Lamp::setBackColor(qint64 color) {
    if (color == color_) {
        return;
    }
    color_ = color;
    setAccessibleDescription(WinColor::italianName(color));
    update();
    emit backColorChanged(color);
}

void Lamp::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF r = QRectF(rect()).adjusted(1, 1, -1, -1);
    p.setPen(QPen(palette().color(QPalette::Shadow), 1));
    p.setBrush(WinColor::toQColor(color_, palette()));
    p.drawRoundedRect(r, 3, 3);
}
