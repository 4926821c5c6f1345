#include "remote/keyboard.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QKeyEvent>
#include <QRadioButton>

#include "app/audio.h"
#include "app/audiolibrary.h"
#include "library/criterion.h"
#include "library/datasource.h"
#include "library/listchooser.h"
#include "library/songgrid.h"
#include "platform/clock.h"
#include "platform/hirestimer.h"
#include "platform/lamp.h"
#include "platform/wincolor.h"
#include "playback/groovesound.h"
#include "playback/mediaplayer.h"
#include "playback/songpreparation.h"
#include "playback/wavevolume.h"
#include "remote/lampbits.h"
#include "remote/pedalinterface.h"
#include "remote/tempolamp.h"
#include "remote/volumecontrols.h"

Keyboard::Keyboard(Audio& window) : QObject(&window), w_(window) {
    qApp->installEventFilter(this);
}

bool Keyboard::eventFilter(QObject* watched, QEvent* event) {
    if (forwarding_ || event->type() != QEvent::KeyPress || !watched->isWidgetType()) {
        return false;
    }
    auto* widget = static_cast<QWidget*>(watched);
    // Only keys meant for the main window itself: not its popups, other windows
    // or message boxes.
    if (widget->window() != &w_) {
        return false;
    }
    return keyDown(*static_cast<QKeyEvent*>(event));
}

bool Keyboard::keyDown(QKeyEvent& e) {
    const Qt::KeyboardModifiers mods = e.modifiers();
    const bool modified = mods & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier);
    const bool consumed = act(e.key(), modified, mods & Qt::KeypadModifier);
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

bool Keyboard::act(int key, bool modified, bool keypad) {
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
            return true;
        case Qt::Key_F9:
            c.VisTutto->click();
            return true;
        case Qt::Key_F10:
            w_.pedalInterface().Disattiva();
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
            w_.preparation().Prepara();
            return true;
        case Qt::Key_Space:
            stop();
            return true;
        case Qt::Key_Insert:
            w_.openInfo();
            return true;
        case Qt::Key_Plus:
        case Qt::Key_Equal:
            modified ? w_.volumes().raiseMp3() : w_.volumes().raiseWave();
            return true;
        case Qt::Key_Minus:
        case Qt::Key_Underscore:
            modified ? w_.volumes().lowerMp3() : w_.volumes().lowerWave();
            return true;
        case Qt::Key_Backslash:
        case Qt::Key_Bar:
        case Qt::Key_Less:
        case Qt::Key_Greater:
            w_.tempoLamp().restartCountIn();
            return true;
        default:
            (void)keypad;
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
    const float now = float(w_.services().clock.timeOfDay());
    ricerca_ = now - tempoTasto_ > 2 ? QString(letter) : ricerca_ + letter;
    tempoTasto_ = now;
    w_.controls().Data1->findFirst(Criterion{field, Criterion::Op::GreaterEqual, ricerca_});
}

// Starts the prepared song's first groove or MP3 without touching a flag or lamp.
void Keyboard::enter() {
    const SharedState& st = w_.state();
    if (st.Groove1.isEmpty()) {
        return;
    }
    if (st.LoopBrano) {
        w_.services().grooves.play(st.FileGroove1);
    } else {
        w_.MediaPlayer1().play();
    }
}

void Keyboard::stop() {
    SharedState& st = w_.state();
    AudioControls& c = w_.controls();
    if (st.LoopBrano) {
        w_.services().grooves.stop();
    } else {
        w_.MediaPlayer1().stop();
    }
    w_.Volume1().setLevel(0);
    w_.preparation().resetLamps();
    c.TmrPrePreload->setEnabled(true);
}
