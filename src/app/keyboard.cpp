#include "app/keyboard.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QTextEdit>

#include "app/audio.h"
#include "app/audiolibrary.h"
#include "app/showbinding.h"
#include "app/songpreparation.h"
#include "app/volumecontrols.h"
#include "library/criterion.h"
#include "library/datasource.h"
#include "library/listchooser.h"
#include "library/songgrid.h"
#include "pedals/lampbits.h"
#include "platform/clock.h"
#include "platform/hirestimer.h"
#include "platform/lamp.h"
#include "platform/wincolor.h"
#include "playback/groovesound.h"
#include "playback/mediaplayer.h"
#include "playback/wavevolume.h"
#include "remote/tablekey.h"
#include "show/showcore.h"

Keyboard::Keyboard(Audio& window) : QObject(&window), w_(window) {
    qApp->installEventFilter(this);
}

namespace {

// A control that the user types text into: keys are its own there.
bool typesText(const QWidget* w) {
    if (!w) {
        return false;
    }
    if (auto* line = qobject_cast<const QLineEdit*>(w)) {
        return !line->isReadOnly();
    }
    if (auto* text = qobject_cast<const QPlainTextEdit*>(w)) {
        return !text->isReadOnly();
    }
    if (auto* text = qobject_cast<const QTextEdit*>(w)) {
        return !text->isReadOnly();
    }
    if (auto* combo = qobject_cast<const QComboBox*>(w)) {
        return combo->isEditable();
    }
    return w->inherits("QAbstractSpinBox");
}

// The windows a performer keeps open beside the main one, in which the whole key
// table works: the on-screen pedal box, the diagnostics panel, the About box and
// the library check and the stage view. Everywhere else (message boxes, the settings dialog, the
// choosers, menus) only Space does, and it always stops the sound.
bool stageWindow(const QWidget* window) {
    return window->inherits("PedalBoxWindow") || window->inherits("Diagnostica") ||
           window->inherits("Info") || window->inherits("Verifiche") ||
           window->inherits("StageWindow");
}

}  // namespace

bool Keyboard::eventFilter(QObject* watched, QEvent* event) {
    if (forwarding_ || event->type() != QEvent::KeyPress || !watched->isWidgetType()) {
        return false;
    }
    auto* widget = static_cast<QWidget*>(watched);
    auto& key = *static_cast<QKeyEvent*>(event);
    QWidget* window = widget->window();
    if (window == &w_) {
        return keyDown(key);
    }
    // Keys typed into a text field of another window are text, Space included.
    if (typesText(widget) || typesText(window->focusWidget())) {
        return false;
    }
    if (!stageWindow(window) || (window->windowType() & Qt::Popup) == Qt::Popup) {
        if (key.key() != Qt::Key_Space) {
            return false;
        }
        stop();
        return true;
    }
    // A key without a command stays with the window it was typed into (Tab moves
    // between its controls); the main window's focus is not taken from there.
    const TableKey pressed(key);
    return act(pressed.key(), pressed.modified());
}

bool Keyboard::keyDown(QKeyEvent& e) {
    const TableKey pressed(e);
    const bool consumed = act(pressed.key(), pressed.modified());
    SongGrid* grid = w_.controls().DBGrid1;
    QWidget* focus = QApplication::focusWidget();
    grid->setFocus();
    if (consumed) {
        return true;
    }
    // Keys without a command of their own (the arrows, Page Up...) move the grid,
    // whichever control had the focus.
    if (focus != grid && !forwarding_) {
        QKeyEvent copy(e.type(), e.key(), e.modifiers(), e.text(), e.isAutoRepeat(), e.count());
        forwarding_ = true;
        QCoreApplication::sendEvent(grid, &copy);
        forwarding_ = false;
        return true;
    }
    return false;
}

bool Keyboard::act(int key, bool modified) {
    AudioControls& c = w_.controls();
    if ((key >= Qt::Key_F1 && key <= Qt::Key_F5) || key == Qt::Key_F7 || key == Qt::Key_F8) {
        chooseList(key);
        return true;
    }
    if (key >= Qt::Key_0 && key <= Qt::Key_9) {
        c.Filtro[key - Qt::Key_0]->click();
        return true;
    }
    if (key >= Qt::Key_A && key <= Qt::Key_Z) {
        search(QChar(key));
        return true;
    }
    switch (key) {
        case Qt::Key_F6:
            emit stageViewRequested();
            return true;
        case Qt::Key_F9:
            c.VisTutto->click();
            return true;
        case Qt::Key_F10:
            w_.core().detach();
            return true;
        case Qt::Key_F11:
            c.VisLoop->click();
            return true;
        case Qt::Key_F12:
            c.VisMp3->click();
            return true;
        case Qt::Key_Return:
        case Qt::Key_Enter:
            enter();
            return true;
        case Qt::Key_Escape:
            if (!escapeHook_ || !escapeHook_()) {
                w_.preparation().Prepara();
            }
            return true;
        case Qt::Key_Space:
            stop();
            return true;
        case Qt::Key_Insert:
            w_.openInfo();
            return true;
        case Qt::Key_Plus:
            modified ? w_.volumes().raiseMp3() : w_.volumes().raiseWave();
            return true;
        case Qt::Key_Minus:
            modified ? w_.volumes().lowerMp3() : w_.volumes().lowerWave();
            return true;
        case Qt::Key_Backslash:
            w_.showBinding().sendSettings();
            w_.core().restartCountIn();
            return true;
        default:
            return false;
    }
}

void Keyboard::chooseList(int key) {
    w_.library().lists().select(ListChooser::indexOfKey(key));
}

void Keyboard::search(QChar letter) {
    const QString shown = w_.controls().CmbScalette->currentText();
    const auto& entries = ListChooser::entries();
    QString field;
    if (shown == entries[0].text) {
        field = QStringLiteral("Titoli");
    } else if (shown == entries[1].text) {
        field = QStringLiteral("Autore");
    } else {
        return;
    }
    // The pause is measured on the clock that never jumps: a letter typed after
    // midnight still starts a new search.
    const double now = w_.services().clock.monotonicMs();
    ricerca_ = now - tempoTasto_ > 2000 ? QString(letter) : ricerca_ + letter;
    tempoTasto_ = now;
    w_.controls().Data1->findFirst(Criterion{field, Criterion::Op::GreaterEqual, ricerca_});
}

// Starts the prepared song's first groove or MP3 without touching a flag or lamp.
void Keyboard::enter() {
    w_.core().enter();
}

void Keyboard::stop() {
    w_.core().stopAll();
}
