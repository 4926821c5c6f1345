#pragma once

// Acting on the song editor as the user would: the menu "Archivio", the song dialog's
// fields and buttons, and what the main window then shows.
#include <gtest/gtest.h>

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>

#include "editor/songdialog.h"
#include "library/datasource.h"
#include "library/rowset.h"
#include "support/harness.h"

namespace editing {

inline void menu(Harness& h, const char* item) {
    QAction* a = h.window().findChild<QAction*>(QString::fromLatin1(item));
    ASSERT_NE(a, nullptr) << item;
    a->trigger();
}

// The open song dialog, or null.
inline SongDialog* dialog(Harness& h) {
    for (SongDialog* d : h.window().findChildren<SongDialog*>(QStringLiteral("Brano"))) {
        if (d->isVisible()) {
            return d;
        }
    }
    return nullptr;
}

inline QLineEdit* field(Harness& h, const char* name) {
    return dialog(h)->findChild<QLineEdit*>(QString::fromLatin1(name));
}

inline void type(Harness& h, const char* name, const QString& text) {
    QLineEdit* e = field(h, name);
    e->clear();
    e->insert(text);
}

inline void click(Harness& h, const char* name) {
    dialog(h)->findChild<QAbstractButton*>(QString::fromLatin1(name))->click();
}

inline void setOrder(Harness& h, int list, int position) {
    dialog(h)->findChild<QSpinBox*>(QStringLiteral("SpinSca%1").arg(list))->setValue(position);
}

// The titles of the main list in order, and the highlighted one.
inline QStringList titles(Harness& h) {
    QStringList out;
    for (const QVariant& v : h.window().controls().Data1->recordset().values("Titoli")) {
        out << v.toString();
    }
    return out;
}

inline QString highlighted(Harness& h) {
    return h.window().controls().Data1->value("Titoli").toString();
}

inline QString label(Harness& h, const char* name) {
    return h.find<QLabel>(QString::fromLatin1(name))->text();
}

}  // namespace editing
