#include "settings/colorswatch.h"

#include "platform/wincolor.h"

ColorSwatch::ColorSwatch(const QString& objectName, const QString& what, QWidget* parent)
    : ClickableLabel(objectName, parent) {
    setFixedSize(40, 22);
    setFrameShape(QFrame::Box);
    setAutoFillBackground(true);
    setFocusPolicy(Qt::StrongFocus);
    setAccessibleName(what);
    setColor(0);
}

void ColorSwatch::setColor(qint64 value) {
    color_ = value;
    QPalette p = palette();
    p.setColor(QPalette::Window, WinColor::toQColor(value));
    setPalette(p);
    setAccessibleDescription(WinColor::italianName(value));
}
