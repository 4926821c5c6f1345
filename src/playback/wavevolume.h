#pragma once

#include <QObject>
#include <atomic>

// The wave-output volume (`Volume1`): Level 0 silences the grooves, 65535 is full
// volume, values in between scale the groove voice linearly. The MP3 player has
// its own volume. Any thread may set and read the level; levelChanged() is emitted
// on the thread that changed it (outside any lock), once per change.
class WaveVolume : public QObject {
    Q_OBJECT
    Q_PROPERTY(int Level READ level WRITE setLevel NOTIFY levelChanged)
public:
    explicit WaveVolume(QObject* parent = nullptr) : QObject(parent) {
        setObjectName(QStringLiteral("Volume1"));
    }
    int level() const { return level_.load(); }
    void setLevel(int level) {
        level = level < 0 ? 0 : (level > 65535 ? 65535 : level);
        if (level_.exchange(level) == level) {
            return;
        }
        emit levelChanged(level);
    }
    // The linear gain of a level: 0.0 to 1.0.
    static float gainOf(int level) { return float(level) / 65535.0f; }

signals:
    void levelChanged(int level);

private:
    std::atomic<int> level_{65535};
};
