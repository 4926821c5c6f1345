#include "gear/gearlog.h"

void GearLog::append(const QStringList& lines) {
    const std::lock_guard<std::mutex> lock(mutex_);
    lines_ += lines;
    if (lines_.size() > kKeep) {
        lines_.remove(0, lines_.size() - kKeep);
    }
}

QStringList GearLog::lines() const {
    const std::lock_guard<std::mutex> lock(mutex_);
    return lines_;
}
