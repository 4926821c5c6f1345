#include "stage/cuenext.h"

CueNext::CueNext(CueHooks hooks, QObject* parent) : QObject(parent), hooks_(std::move(hooks)) {
    setObjectName(QStringLiteral("CueNext"));
}

bool CueNext::escape() {
    if (!hooks_.enabled() || !hooks_.sounding()) {
        // Prepared at once, as always: a mark left from before has no more use.
        setMark({});
        return false;
    }
    const CueMark highlighted = hooks_.highlighted();
    if (!highlighted.isValid() || highlighted == mark_) {
        setMark({});
        return true;
    }
    setMark(highlighted);
    hooks_.fetch(highlighted);
    return true;
}

void CueNext::check() {
    if (!mark_.isValid()) {
        return;
    }
    if (!hooks_.enabled()) {
        setMark({});
        return;
    }
    if (hooks_.sounding()) {
        return;
    }
    const CueMark wanted = mark_;
    setMark({});
    if (hooks_.select(wanted)) {
        hooks_.prepare();
    }
}

void CueNext::setMark(const CueMark& mark) {
    if (mark == mark_) {
        return;
    }
    mark_ = mark;
    emit markChanged(mark_.title);
}
