#include "platform/statuslines.h"

#include <QLabel>
#include <QMainWindow>
#include <QStatusBar>

void StatusLines::show(QMainWindow& window, QLabel& line) {
    QStatusBar* bar = window.statusBar();
    if (line.parentWidget() != bar) {
        bar->addWidget(&line, 1);
    }
    line.show();
    bar->show();
}

void StatusLines::hide(QMainWindow& window, QLabel& line) {
    line.hide();
    QStatusBar* bar = window.findChild<QStatusBar*>(QString(), Qt::FindDirectChildrenOnly);
    if (bar == nullptr) {
        return;
    }
    for (const QLabel* other : bar->findChildren<QLabel*>(QString(), Qt::FindDirectChildrenOnly)) {
        if (other != &line && other->isVisibleTo(bar)) {
            return;
        }
    }
    bar->hide();
}
