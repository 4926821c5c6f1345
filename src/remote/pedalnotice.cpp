#include "remote/pedalnotice.h"

#include <QLabel>
#include <QMainWindow>

#include "platform/hirestimer.h"
#include "platform/statuslines.h"

PedalNotice::PedalNotice(QMainWindow& window, Clock& clock) : QObject(&window), window_(window) {
    timer_ = new HiResTimer(clock, QStringLiteral("TmrAvvisoPedaliera"), kShowMs, this);
    connect(timer_, &HiResTimer::tick, this, &PedalNotice::hide);
}

PedalNotice::~PedalNotice() = default;

void PedalNotice::show(const QString& text) {
    // The status bar is made only when there is something to say: a window that
    // never has a line keeps its whole height for the lists.
    if (!line_) {
        line_ = new QLabel;
        line_->setObjectName(QStringLiteral("AvvisoPedaliera"));
        line_->setAccessibleName(QStringLiteral("Avviso della pedaliera"));
        line_->setTextFormat(Qt::PlainText);
        line_->setStyleSheet(QStringLiteral("color: #c00000"));
    }
    line_->setText(text);
    StatusLines::show(window_, *line_);
    timer_->setEnabled(false);
    timer_->setEnabled(true);
}

void PedalNotice::hide() {
    timer_->setEnabled(false);
    if (line_) {
        StatusLines::hide(window_, *line_);
    }
}
