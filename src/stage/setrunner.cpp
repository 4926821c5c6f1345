#include "stage/setrunner.h"

SetRunner::SetRunner(SetHooks hooks, QObject* parent) : QObject(parent), hooks_(std::move(hooks)) {
    setObjectName(QStringLiteral("SetRunner"));
}

QString SetRunner::refusedText(int step) {
    return QStringLiteral(
               "%1: un brano sta suonando. Fermalo prima, oppure spunta \"Prepara "
               "senza fermare\" nelle impostazioni.")
        .arg(step > 0 ? QStringLiteral("Successivo") : QStringLiteral("Precedente"));
}

QString SetRunner::endText() {
    return QStringLiteral("Fine della scaletta");
}

void SetRunner::songEnded(std::uint64_t starts) {
    if (!hooks_.prepareNext() || hooks_.cued() || hooks_.startedSince(starts)) {
        return;
    }
    if (hooks_.highlightStep(1)) {
        hooks_.prepare();
    }
}

void SetRunner::step(int step) {
    if (hooks_.sounding()) {
        if (!hooks_.cueWithoutStopping()) {
            emit notice(refusedText(step));
            return;
        }
        if (hooks_.highlightStep(step)) {
            hooks_.mark();
        } else {
            emit notice(endText());
        }
        return;
    }
    if (hooks_.highlightStep(step)) {
        hooks_.prepare();
    } else {
        emit notice(endText());
    }
}
