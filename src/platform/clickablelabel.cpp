#include "platform/clickablelabel.h"

#include <QKeyEvent>
#include <QMouseEvent>

ClickableLabel::ClickableLabel(const QString& objectName, QWidget* parent)
    : ElidedLabel(QString(), parent) {
    setObjectName(objectName);
    setCursor(Qt::PointingHandCursor);
}

void ClickableLabel::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint())) {
        emit clicked();
    }
    ElidedLabel::mouseReleaseEvent(event);
}

void ClickableLabel::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Space || event->key() == Qt::Key_Return ||
        event->key() == Qt::Key_Enter) {
        emit clicked();
        return;
    }
    ElidedLabel::keyPressEvent(event);
}
