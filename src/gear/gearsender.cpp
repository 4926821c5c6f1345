#include "gear/gearsender.h"

#include <QThread>
#include <optional>
#include <vector>

#include "gear/gearlogtext.h"
#include "gear/gearports.h"
#include "platform/clock.h"
#include "platform/hirestimer.h"

namespace {

// The ports a list sends to, in the order they first appear.
QStringList portsOf(const GearMessages& messages) {
    QStringList ports;
    for (const GearMessage& m : messages) {
        if (!ports.contains(m.port)) {
            ports << m.port;
        }
    }
    return ports;
}

}  // namespace

GearSender::GearSender(Clock& clock, MidiSystem::Api api, QObject* parent)
    : QObject(parent), clock_(clock), io_(std::make_unique<GearPorts>(api)) {
    io_->look();
    publishPorts();
    watch_ = new HiResTimer(clock_, QStringLiteral("TmrUscitaMidi"), kWatchMs, this);
    connect(watch_, &HiResTimer::tick, this, &GearSender::watch);
    watch_->setEnabled(true);
}

GearSender::~GearSender() = default;

bool GearSender::onOwnThread() const {
    return QThread::currentThread() == thread();
}

QStringList GearSender::ports() const {
    const std::lock_guard<std::mutex> lock(portsMutex_);
    return ports_;
}

void GearSender::publishPorts() {
    const std::lock_guard<std::mutex> lock(portsMutex_);
    ports_ = io_->listed();
}

void GearSender::sendSong(const GearMessages& messages) {
    if (!onOwnThread()) {
        QMetaObject::invokeMethod(
            this, [this, messages] { sendSong(messages); }, Qt::QueuedConnection);
        return;
    }
    const double at = clock_.timeOfDay();
    QStringList lines;
    QSet<QString> missed;
    send(messages, at, lines, &missed);
    current_ = messages;
    reached_.clear();
    for (const QString& port : portsOf(messages)) {
        if (!missed.contains(port)) {
            reached_.insert(port);
        }
    }
    writeLog(lines);
}

void GearSender::sendNow(const GearMessages& messages) {
    if (!onOwnThread()) {
        QMetaObject::invokeMethod(
            this, [this, messages] { sendNow(messages); }, Qt::QueuedConnection);
        return;
    }
    QStringList lines;
    send(messages, clock_.timeOfDay(), lines, nullptr);
    writeLog(lines);
}

// Everything goes out first; the words for it are made afterwards, so that the
// last message leaves as soon as it can.
void GearSender::send(const GearMessages& messages, double at, QStringList& lines,
                      QSet<QString>* missed) {
    using Why = GearLogText::NotSent;
    std::vector<std::optional<Why>> notSent;  // none: sent
    notSent.reserve(std::size_t(messages.size()));
    for (const GearMessage& m : messages) {
        const GearPorts::Wire wire = m.wire();
        if (wire.empty()) {
            notSent.emplace_back(Why::Invalid);
            continue;
        }
        switch (io_->send(m.port, wire)) {
            case GearPorts::Sent::Ok:
                notSent.emplace_back(std::nullopt);
                break;
            case GearPorts::Sent::NoPort:
                notSent.emplace_back(Why::NoPort);
                break;
            case GearPorts::Sent::Failed:
                notSent.emplace_back(Why::Failed);
                break;
            case GearPorts::Sent::TooLong:
                notSent.emplace_back(Why::TooLong);
                break;
        }
    }
    for (qsizetype i = 0; i < messages.size(); ++i) {
        const GearMessage& m = messages[i];
        const std::optional<Why> why = notSent[std::size_t(i)];
        if (!why) {
            lines << GearLogText::sent(at, m);
            continue;
        }
        lines << GearLogText::notSent(at, m, *why);
        // What may go once the port is back is tried again then.
        if (missed && (*why == Why::NoPort || *why == Why::Failed)) {
            missed->insert(m.port);
        }
    }
}

// A port of the prepared song that is listed but did not get its messages, or no
// longer reaches the device it reached, gets them again, in order. One port not
// opened yet is opened, so that the next song finds it ready.
void GearSender::watch() {
    io_->look();
    publishPorts();
    QStringList lines;
    for (const QString& port : portsOf(current_)) {
        if (!io_->isListed(port)) {
            reached_.remove(port);
            continue;
        }
        if (reached_.contains(port) && io_->intact(port)) {
            continue;
        }
        if (!io_->open(port)) {
            reached_.remove(port);
            continue;
        }
        GearMessages theirs;
        for (const GearMessage& m : current_) {
            if (m.port == port) {
                theirs << m;
            }
        }
        const double at = clock_.timeOfDay();
        lines << GearLogText::portBack(at, port);
        QSet<QString> missed;
        send(theirs, at, lines, &missed);
        if (missed.isEmpty()) {
            reached_.insert(port);
        } else {
            reached_.remove(port);
        }
    }
    io_->openOneMore();
    writeLog(lines);
}

void GearSender::writeLog(const QStringList& lines) {
    if (lines.isEmpty()) {
        return;
    }
    log_.append(lines);
    emit logged();
}
