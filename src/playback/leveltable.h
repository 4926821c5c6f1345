#pragma once

#include <QHash>
#include <QString>
#include <algorithm>
#include <cmath>

// The gains that bring every groove and backing track to one loudness ("Livella il
// volume"): for each file the library measured, the gain that takes its integrated
// loudness to the target and the most its true peak allows under the ceiling.
// Immutable once built: the levelling builds a new table when a measurement or a
// setting changes and hands it to the engine whole. A file the table does not name
// plays at unity gain.
struct LevelTable {
    struct File {
        double towardsTargetDb = 0;  // target less the file's loudness
        double headroomDb = 0;       // ceiling less the file's true peak
        double trimDb = 0;           // the trim of the song that plays it
    };
    QHash<QString, File> files;  // by path, as the program plays it
};

namespace LevelMath {

// A file of integrated loudness lufs (LUFS) and true peak peakDb (dBTP) in a table
// for target (LUFS) and ceiling (dBTP).
inline LevelTable::File fileOf(double lufs, double peakDb, double target, double ceiling,
                               double trimDb = 0) {
    return {target - lufs, ceiling - peakDb, trimDb};
}

// The gain in decibels the file plays with, with the song's own trim on top: a loud
// file is turned down as far as it must, a quiet one lifted only as far as its peak
// allows.
inline double gainDb(const LevelTable::File& f, double trimDb) {
    return std::min(f.towardsTargetDb + trimDb, f.headroomDb);
}

inline float linear(double db) {
    return float(std::pow(10.0, db / 20.0));
}

}  // namespace LevelMath
