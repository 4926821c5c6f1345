#include "playback/outputwatch.h"

#include "platform/hirestimer.h"
#include "playback/audioengine.h"

OutputWatch::OutputWatch(AudioEngine& engine, Clock& clock, QObject* parent)
    : QObject(parent), engine_(engine) {
    setObjectName(QStringLiteral("OutputWatch"));
    timer_ = new HiResTimer(clock, QStringLiteral("TmrUscitaAudio"), kLookMs, this);
    connect(timer_, &HiResTimer::tick, this, &OutputWatch::look);
    timer_->setEnabled(true);
}

OutputWatch::~OutputWatch() = default;

QString OutputWatch::awayText() {
    return QStringLiteral("Uscita audio persa: la riprovo ogni secondo");
}

QString OutputWatch::backText() {
    return QStringLiteral("Uscita audio ripristinata");
}

void OutputWatch::look() {
    const bool failed = engine_.outputFailed();
    if (!failed && !away_) {
        return;
    }
    if (failed && !away_) {
        away_ = true;
        emit changed(awayText());
    }
    // Another device chosen in the settings meanwhile is running already.
    if (engine_.restartOutput()) {
        away_ = false;
        emit changed(backText());
    }
}
