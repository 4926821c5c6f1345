#include "pedals/pedalmonitor.h"

#include <QLabel>
#include <QPlainTextEdit>
#include <QVBoxLayout>

#include "remote/portio.h"

PedalMonitor::PedalMonitor(PortIo& port, QWidget* parent)
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
    connect(&port_, &PortIo::eventsLogged, this, &PedalMonitor::refresh);
    refresh();
}

void PedalMonitor::refresh() {
    kind_->setText(port_.description());
    const QStringList events = port_.recentEvents();
    events_->setPlainText(events.isEmpty() ? QStringLiteral("(nessun messaggio)")
                                           : events.join(u'\n'));
    events_->moveCursor(QTextCursor::End);
}
