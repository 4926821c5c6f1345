#include "pedals/keycatcher.h"

#include <QCoreApplication>
#include <QKeyEvent>

KeyCatcher::KeyCatcher(std::function<void(int)> caught, QObject* parent)
    : QObject(parent), caught_(std::move(caught)) {
    QCoreApplication::instance()->installEventFilter(this);
}

KeyCatcher::~KeyCatcher() {
    QCoreApplication::instance()->removeEventFilter(this);
}

bool KeyCatcher::eventFilter(QObject* watched, QEvent* event) {
    const QEvent::Type type = event->type();
    if (done_ || !watched->isWidgetType() ||
        (type != QEvent::KeyPress && type != QEvent::ShortcutOverride)) {
        return false;
    }
    const auto& key = *static_cast<QKeyEvent*>(event);
    if (type == QEvent::ShortcutOverride) {
        event->accept();
        return true;
    }
    // Modifier keys alone are no pedal: a page-turner sends a key of its own.
    switch (key.key()) {
        case Qt::Key_Shift:
        case Qt::Key_Control:
        case Qt::Key_Alt:
        case Qt::Key_Meta:
        case Qt::Key_AltGr:
        case 0:
        case Qt::Key_unknown:
            return true;
        default:
            break;
    }
    if (key.isAutoRepeat()) {
        return true;
    }
    done_ = true;
    // The receiver may delete this catcher: nothing of it is used afterwards.
    const std::function<void(int)> caught = caught_;
    caught(key.key() == Qt::Key_Escape ? 0 : key.key());
    return true;
}
