#pragma once

// Helpers shared by the settings dialog's tests: finding the dialog and its
// controls, acting on them as the user would, and reading the saved file.

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPointer>
#include <QPushButton>

#include "app/impspath.h"
#include "library/songdatabase.h"
#include "platform/clickablelabel.h"
#include "support/harness.h"

namespace settingstest {

inline const QByteArray kSep = QDir::separator() == '/' ? "/" : "\\";

// A "2.8" file whose working folder is the harness's; the beats value and line 18
// as given.
inline QByteArray file28(const Harness& h, const QByteArray& beats = "8",
                         const QByteArray& widths = "200,60,45,40,41,110,111,112") {
    const QByteArray work = h.workDir().toUtf8();
    return "\"2.8\"\n\"" + work + "\"\n4400,60,0," + beats +
           "\n\"DejaVu Sans\",12.5,#TRUE#,#FALSE#\n25,150.5,600,300\n"
           "255,65535,32768,-2147483641\n0,-1,-1,0,-1,0,0\n\"" +
           work + "Rock" + kSep + "\"\n\"\"\n\n\n\n\n\n\n\n\n" + widths + "\n";
}

// An empty song library in the harness's working folder.
inline void makeLibrary(const Harness& h) {
    QString error;
    ASSERT_TRUE(SongDatabase::open(h.workDir() + SongDatabase::kFileName, &error,
                                   SongDatabase::Mode::Create))
        << error.toStdString();
}

// A left click on widget, as the mouse gives it.
inline void mouseClick(QWidget* widget) {
    const QPointF at = QRectF(widget->rect()).center();
    QMouseEvent down(QEvent::MouseButtonPress, at, widget->mapToGlobal(at), Qt::LeftButton,
                     Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(widget, &down);
    QMouseEvent up(QEvent::MouseButtonRelease, at, widget->mapToGlobal(at), Qt::LeftButton,
                   Qt::NoButton, Qt::NoModifier);
    QCoreApplication::sendEvent(widget, &up);
}

// A key pressed and released on widget.
inline void keyClick(QWidget* widget, int key) {
    QKeyEvent down(QEvent::KeyPress, key, Qt::NoModifier);
    QCoreApplication::sendEvent(widget, &down);
    QKeyEvent up(QEvent::KeyRelease, key, Qt::NoModifier);
    QCoreApplication::sendEvent(widget, &up);
}

inline Impspath* dialog(Harness& h) {
    // A dialog that has closed may linger until the event loop lets it go.
    for (Impspath* d : h.window().findChildren<Impspath*>(QStringLiteral("Impspath"))) {
        if (!d->isClosing()) {
            return d;
        }
    }
    return nullptr;
}

// Opens the dialog as the main window's configuration button does.
inline Impspath* open(Harness& h) {
    h.window().openSettings();
    return dialog(h);
}

template <class T>
T* control(Harness& h, const QString& name) {
    Impspath* d = dialog(h);
    return d != nullptr ? d->findChild<T*>(name) : nullptr;
}

inline void click(Harness& h, const QString& label) {
    ClickableLabel* l = control<ClickableLabel>(h, label);
    ASSERT_NE(l, nullptr) << label.toStdString();
    mouseClick(l);
}

inline void press(Harness& h, const QString& button) {
    QPushButton* b = control<QPushButton>(h, button);
    ASSERT_NE(b, nullptr) << button.toStdString();
    b->click();
}

// Types a folder into the browser's path box and opens it with Enter.
inline void browseTo(Harness& h, const QString& folder) {
    QLineEdit* path = control<QLineEdit>(h, QStringLiteral("Dir1Path"));
    ASSERT_NE(path, nullptr);
    path->setText(QDir::toNativeSeparators(folder));
    keyClick(path, Qt::Key_Return);
}

// Clicks a folder label, browses to folder and confirms it.
inline void chooseFolder(Harness& h, const QString& label, const QString& folder) {
    click(h, label);
    browseTo(h, folder);
    press(h, QStringLiteral("Conferma"));
}

inline void setText(Harness& h, const QString& box, const QString& text) {
    QLineEdit* e = control<QLineEdit>(h, box);
    ASSERT_NE(e, nullptr) << box.toStdString();
    e->setText(text);
}

// Lets a closed dialog go, as the event loop would.
inline void settle() {
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

// The saved file's lines (without their CR LF ends).
inline QList<QByteArray> savedLines(const Harness& h) {
    QFile f(h.configPath());
    if (!f.open(QIODevice::ReadOnly)) {
        return {};
    }
    QList<QByteArray> lines = f.readAll().split('\n');
    if (!lines.isEmpty() && lines.last().isEmpty()) {
        lines.removeLast();
    }
    for (QByteArray& l : lines) {
        if (l.endsWith('\r')) {
            l.chop(1);
        }
    }
    return lines;
}

}  // namespace settingstest
