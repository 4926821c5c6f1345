#include "stage/transportmodel.h"

#include <algorithm>
#include <cmath>

#include "platform/clock.h"

TransportModel::TransportModel(Clock& clock, TransportSource source, QObject* parent)
    : QObject(parent), clock_(clock), source_(std::move(source)) {
    setObjectName(QStringLiteral("TransportModel"));
    refresh();
}

TransportModel::~TransportModel() = default;

namespace {

int wholeSeconds(double s) {
    return std::isfinite(s) && s > 0 ? int(std::min(s, 1e7)) : 0;
}

}  // namespace

void TransportModel::refresh() {
    TransportSnapshot s;
    s.prepared = source_.prepared();
    if (s.prepared) {
        s.song = source_.song();
        s.loop = source_.loop();
        s.next = source_.next();
    }
    s.cued = cued_;
    s.autoNext = source_.autoNext && source_.autoNext();
    s.sounding = source_.sounding();
    const double nowMs = clock_.monotonicMs();
    if (s.sounding != now_.sounding) {
        soundingSinceMs_ = nowMs;  // silence, or another sound has just begun
    }
    s.soundingSeconds = s.sounding ? wholeSeconds((nowMs - soundingSinceMs_) / 1000.0) : 0;
    s.mp3 = !s.loop && source_.mp3Playing();
    if (s.mp3) {
        const double position = source_.mp3Position();
        const double length = source_.mp3Length();
        s.mp3Elapsed = wholeSeconds(position);
        // One clock for the track: the time it has played, as the line below shows it.
        s.soundingSeconds = s.mp3Elapsed;
        if (length > 0 && std::isfinite(length)) {
            const double left = std::max(0.0, length - position);
            s.mp3Remaining = int(std::ceil(std::min(left, 1e7)));
            s.mp3Permille = int(std::clamp(position / length, 0.0, 1.0) * 1000.0);
        }
    }
    s.lamps = source_.lamps();
    if (source_.alert) {
        s.alert = source_.alert();
    }
    if (s == now_) {
        return;
    }
    now_ = s;
    emit changed();
}

void TransportModel::setCued(const QString& title) {
    cued_ = title;
    refresh();
}

QString TransportSnapshot::nextLine() const {
    if (!next.isEmpty()) {
        return QStringLiteral("Segue: ") + next;
    }
    return autoNext && prepared ? QStringLiteral("Fine della scaletta") : QString();
}

QString TransportSnapshot::countdownLine() const {
    if (!autoNext || !mp3 || mp3Remaining <= 0 || !cued.isEmpty() || next.isEmpty()) {
        return {};
    }
    return QStringLiteral("Successivo tra ") + TransportModel::clockText(mp3Remaining);
}

QString TransportModel::clockText(int seconds) {
    seconds = std::max(0, seconds);
    const int h = seconds / 3600;
    const int m = seconds / 60 % 60;
    const int s = seconds % 60;
    const QString ss = QStringLiteral("%1").arg(s, 2, 10, QLatin1Char('0'));
    if (h > 0) {
        return QStringLiteral("%1:%2:%3").arg(h).arg(m, 2, 10, QLatin1Char('0')).arg(ss);
    }
    return QStringLiteral("%1:%2").arg(m).arg(ss);
}

QString TransportModel::mp3Text(const TransportSnapshot& s) {
    if (!s.mp3) {
        return {};
    }
    if (s.mp3Remaining <= 0 && s.mp3Permille == 0) {
        return clockText(s.mp3Elapsed);
    }
    return clockText(s.mp3Elapsed) + QStringLiteral(" / -") + clockText(s.mp3Remaining);
}
