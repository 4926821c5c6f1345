#pragma once

#include <QStringList>
#include <mutex>

// The last lines of what went to the other gear, for the diagnostics panel: written
// on the sender's thread, read on the GUI thread; a small lock keeps them apart.
class GearLog {
public:
    static constexpr qsizetype kKeep = 100;

    void append(const QStringList& lines);
    // Oldest first.
    QStringList lines() const;

private:
    mutable std::mutex mutex_;
    QStringList lines_;
};
