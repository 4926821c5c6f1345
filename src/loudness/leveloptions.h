#pragma once

#include "config/configdata.h"

// The settings of even loudness ("Livella il volume"): on or off, the loudness every
// song is brought to (LUFS) and the true peak no gain lifts a file above (dBTP).
struct LevelOptions {
    static constexpr double kMinTarget = ConfigData::kMinLevelTarget;
    static constexpr double kMaxTarget = ConfigData::kMaxLevelTarget;
    static constexpr double kMinCeiling = ConfigData::kMinLevelCeiling;
    bool on = false;
    double target = -16;
    double ceiling = -1;

    bool operator==(const LevelOptions&) const = default;
};
