#include "pedals/pedalmonitor.h"

#include <QLabel>
#include <QPlainTextEdit>
#include <QVBoxLayout>

#include "pedals/portio.h"
#include "platform/hirestimer.h"

PedalMonitor::PedalMonitor(PortIo& port, Clock& clock, QWidget* parent)
    : QGroupBox(QStringLiteral(" Pedaliera "), parent), port_(port) {
    setObjectName(QStringLiteral("FramePedaliera"));
    auto* v = new QVBoxLayout(this);
    kind_ = new QLabel;
    kind_->setObjectName(QStringLiteral("LblPedaliera"));
    kind_->setTextFormat(Qt::PlainText);
    events_ = new QPlainTextEdit;
    events_->setObjectName(QStringLiteral("UltimiMessaggi"));
    events_->setReadOnly(true);
    events_->setAccessibleName(QStringLiteral("Ultimi messaggi della pedaliera"));
    events_->setMaximumBlockCount(64);
    events_->setFixedHeight(events_->fontMetrics().lineSpacing() * 5 + 12);
    v->addWidget(kind_);
    v->addWidget(events_);
    pause_ = new HiResTimer(clock, QStringLiteral("TmrPedaliera"), kRefreshMs, this);
    connect(pause_, &HiResTimer::tick, this, &PedalMonitor::paused);
    connect(&port_, &PortIo::eventsLogged, this, &PedalMonitor::logged);
    refresh();
}

// The first event after a quiet moment is shown at once; those that follow it
// within the pause are shown together when the pause ends.
void PedalMonitor::logged() {
    stale_ = true;
    if (!pause_->isEnabled() && isVisible()) {
        refresh();
    }
}

void PedalMonitor::paused() {
    pause_->setEnabled(false);
    if (stale_ && isVisible()) {
        refresh();
    }
}

void PedalMonitor::showEvent(QShowEvent* event) {
    QGroupBox::showEvent(event);
    if (stale_) {
        refresh();
    }
}

void PedalMonitor::refresh() {
    stale_ = false;
    pause_->setEnabled(true);
    kind_->setText(port_.description());
    const QStringList events = port_.recentEvents();
    events_->setPlainText(events.isEmpty() ? QStringLiteral("(nessun messaggio)")
                                           : events.join(u'\n'));
    events_->moveCursor(QTextCursor::End);
}
