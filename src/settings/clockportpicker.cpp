#include "settings/clockportpicker.h"

#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>

namespace {

// The widest text the button shows; the whole choice is in its tooltip.
constexpr int kLongestTextPixels = 280;

}  // namespace

ClockPortPicker::ClockPortPicker(QWidget* parent) : QToolButton(parent) {
    setObjectName(QStringLiteral("BtnClockMidi"));
    setAccessibleName(QStringLiteral("Clock MIDI"));
    setPopupMode(QToolButton::InstantPopup);
    setToolButtonStyle(Qt::ToolButtonTextOnly);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    menu_ = new QMenu(this);
    menu_->setObjectName(QStringLiteral("MenuClockMidi"));
    menu_->setAccessibleName(QStringLiteral("Porte del clock MIDI"));
    menu_->installEventFilter(this);
    setMenu(menu_);
    load({}, {});
}

void ClockPortPicker::load(const QStringList& outputs, const QStringList& chosen) {
    menu_->clear();
    chosen_.clear();
    for (const QString& port : chosen) {
        if (!port.isEmpty() && !chosen_.contains(port)) {
            chosen_ << port;
        }
    }
    for (const QString& port : outputs) {
        addEntry(port, port, chosen_.contains(port));
    }
    for (const QString& port : chosen_) {
        if (!outputs.contains(port)) {
            addEntry(absentText(port), port, true);
        }
    }
    if (menu_->isEmpty()) {
        menu_->addAction(noOutputsText())->setEnabled(false);
    }
    showChoice();
}

void ClockPortPicker::addEntry(const QString& text, const QString& port, bool checked) {
    QAction* entry = menu_->addAction(text);
    entry->setCheckable(true);
    entry->setChecked(checked);
    entry->setData(port);
    connect(entry, &QAction::toggled, this, [this, port](bool on) {
        chosen_.removeAll(port);
        if (on) {
            chosen_ << port;
        }
        showChoice();
        emit chosenChanged();
    });
}

QString ClockPortPicker::summary(const QStringList& ports) {
    return ports.isEmpty() ? QStringLiteral("Nessuna") : ports.join(QStringLiteral(", "));
}

void ClockPortPicker::showChoice() {
    const QString text = summary(chosen_);
    setText(fontMetrics().elidedText(text, Qt::ElideRight, kLongestTextPixels));
    setToolTip(
        QStringLiteral("Le uscite MIDI che ricevono il clock del brano preparato: %1").arg(text));
    setAccessibleDescription(text);
}

void ClockPortPicker::keyPressEvent(QKeyEvent* event) {
    const int key = event->key();
    if (key == Qt::Key_Down || key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_F4) {
        showMenu();
        return;
    }
    QToolButton::keyPressEvent(event);
}

// A click or Enter on a port ticks or unticks it without closing the menu, so that
// several ports are chosen in one go.
bool ClockPortPicker::eventFilter(QObject* watched, QEvent* event) {
    if (watched != menu_) {
        return QToolButton::eventFilter(watched, event);
    }
    QAction* entry = nullptr;
    if (event->type() == QEvent::MouseButtonRelease) {
        const auto* mouse = static_cast<QMouseEvent*>(event);
        if (mouse->button() == Qt::LeftButton) {
            entry = menu_->actionAt(mouse->position().toPoint());
        }
    } else if (event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Space || key == Qt::Key_Return || key == Qt::Key_Enter) {
            entry = menu_->activeAction();
        }
    }
    if (entry == nullptr || !entry->isCheckable() || !entry->isEnabled()) {
        return QToolButton::eventFilter(watched, event);
    }
    entry->toggle();
    return true;
}
