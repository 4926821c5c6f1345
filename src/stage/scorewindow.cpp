#include "stage/scorewindow.h"

#include <QKeyEvent>
#include <QVBoxLayout>

#include "stage/songbookview.h"
#include "stage/stagewindow.h"

ScoreWindow::ScoreWindow(QWidget* parent) : QWidget(parent, Qt::Window) {
    setObjectName(QStringLiteral("Spartito"));
    setWindowTitle(windowTitleText());
    setAccessibleName(QStringLiteral("Spartito"));
    setMinimumSize(300, 400);
    setPalette(StageWindow::darkPalette(palette()));
    setAutoFillBackground(true);
    auto* v = new QVBoxLayout(this);
    v->setContentsMargins(4, 4, 4, 4);
    page_ = new SongbookView(this);
    page_->setObjectName(QStringLiteral("SpartitoPagina"));
    v->addWidget(page_);
    resize(700, 950);
}

int ScoreWindow::pageKeyStep(int key) {
    switch (key) {
        case Qt::Key_PageDown:
        case Qt::Key_Right:
        case Qt::Key_Down:
            return 1;
        case Qt::Key_PageUp:
        case Qt::Key_Left:
        case Qt::Key_Up:
            return -1;
        default:
            return 0;
    }
}

void ScoreWindow::keyPressEvent(QKeyEvent* event) {
    if (const int by = pageKeyStep(event->key()); by != 0) {
        emit turnAsked(by);
        event->accept();
        return;
    }
    QWidget::keyPressEvent(event);
}

void ScoreWindow::mouseDoubleClickEvent(QMouseEvent* event) {
    if (isFullScreen()) {
        showNormal();
    } else {
        showFullScreen();
    }
    event->accept();
}
