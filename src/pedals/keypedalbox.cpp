#include "pedals/keypedalbox.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QKeySequence>
#include <QThread>

KeyPedalBox::KeyPedalBox(std::array<int, PedalSetup::kPedals> keys, QObject* parent)
    : PortIo(parent), keys_(keys) {
    takeKeysFirst();
    // The main window's key table may be installed after this box (at start-up the
    // box comes first): once the program runs, this filter goes before it again.
    QMetaObject::invokeMethod(this, &KeyPedalBox::takeKeysFirst, Qt::QueuedConnection);
}

KeyPedalBox::~KeyPedalBox() {
    if (QCoreApplication::instance()) {
        QCoreApplication::instance()->removeEventFilter(this);
    }
}

void KeyPedalBox::takeKeysFirst() {
    if (QThread::currentThread() != thread()) {
        // The application's filter list belongs to the GUI thread.
        QMetaObject::invokeMethod(this, &KeyPedalBox::takeKeysFirst, Qt::QueuedConnection);
        return;
    }
    if (QCoreApplication::instance()) {
        // Installing again moves a filter to the front of the application's list.
        QCoreApplication::instance()->installEventFilter(this);
    }
}

void KeyPedalBox::setSetup(int) {}

void KeyPedalBox::setMode(int) {}

int KeyPedalBox::openPort(const QString&, const QString&) {
    open_ = true;
    status_.clear();
    takeKeysFirst();
    return 1;
}

void KeyPedalBox::closePort() {
    open_ = false;
    status_.clear();
}

int KeyPedalBox::readStatus() {
    return open_ ? kPresent | status_.read() : 0;
}

int KeyPedalBox::writeData(int value) {
    lamps_ = value;
    return open_ ? 1 : 0;
}

QString KeyPedalBox::description() const {
    return QStringLiteral("Pedaliera a tasti: %1, %2").arg(keyName(keys_[0]), keyName(keys_[1]));
}

QString KeyPedalBox::keyName(int key) {
    if (key == 0) {
        return QStringLiteral("nessun tasto");
    }
    return QKeySequence(key).toString(QKeySequence::NativeText);
}

QString KeyPedalBox::pedalName(int pedal) {
    switch (pedal) {
        case PedalSetup::kNext:
            return QStringLiteral("Successivo");
        case PedalSetup::kPrevious:
            return QStringLiteral("Precedente");
        case PedalSetup::kPageForward:
            return QStringLiteral("Pagina avanti");
        case PedalSetup::kPageBack:
            return QStringLiteral("Pagina indietro");
        default:
            return QStringLiteral("pedale %1").arg(pedal + 1);
    }
}

int KeyPedalBox::pedalOf(const QKeyEvent& key) const {
    for (int i = 0; i < PedalSetup::kPedals; ++i) {
        if (keys_[i] != 0 && key.key() == keys_[i]) {
            return i + 1;
        }
    }
    return 0;
}

bool KeyPedalBox::eventFilter(QObject* watched, QEvent* event) {
    const QEvent::Type type = event->type();
    if (type != QEvent::KeyPress && type != QEvent::KeyRelease &&
        type != QEvent::ShortcutOverride) {
        return false;
    }
    const auto& key = *static_cast<QKeyEvent*>(event);
    const int pedal = pedalOf(key);
    if (pedal == 0 || !watched->isWidgetType()) {
        return false;
    }
    if (type == QEvent::ShortcutOverride) {
        // Taken here, so that no shortcut of any window acts on a pedal key.
        event->accept();
        return true;
    }
    if (key.isAutoRepeat()) {
        return true;
    }
    const bool down = type == QEvent::KeyPress;
    status_.log(QStringLiteral("%1 %2 (%3)")
                    .arg(keyName(keys_[pedal - 1]),
                         down ? QStringLiteral("giù") : QStringLiteral("su"),
                         pedalName(pedal - 1)));
    if (const int step = PedalSetup::stepOf(pedal - 1); step != 0) {
        if (down && open_) {
            emit stepAsked(step);
        }
    } else if (const int page = PedalSetup::pageOf(pedal - 1); page != 0) {
        if (down && open_) {
            emit pageAsked(page);
        }
    } else {
        status_.set(pedal, down);
        if (open_) {
            emit pedalEvent();
        }
    }
    emit eventsLogged();
    return true;
}
