#pragma once

#include <vector>

#include "config/configcodec.h"
#include "config/configdata.h"

// Which value sits in which field of which line of each layout of the configuration
// file, and what each field may hold. The codec reads and writes through this table
// alone, so a setting is added to the file in one place. Pure; any thread.
namespace ConfigLines {

enum class Kind { Text, Number, Bool };

// Range and content checks of a field beyond its kind.
enum class Check {
    None,
    Int16,
    Color,
    FontSize,
    BufferFrames,
    Interval,
    Path,
    Flag,
    ClickOutput,
    Percent,
    LoudnessTarget,
    PeakCeiling,
    PortList,
    SongbookList,
    PageArea
};

// One field of a line: where its value goes and what it may hold.
struct Slot {
    Value* target;
    Kind kind;
    bool unsetAllowed;  // an empty field is a value the program itself writes
    Check check = Check::None;
};
using LineSpec = std::vector<Slot>;

// The first of this program's own lines after the audio line (the stage settings):
// from here on a line is read only when whole, and written only when it or a line
// after it holds something other than its default.
constexpr int kStageLine = 20;

// The lines of a layout, field by field, bound to the values of d.
std::vector<LineSpec> of(ConfigData& d, ConfigLayout layout);

// Sets in d the defaults of what a layout does not hold.
void clearAbsent(ConfigData& d, ConfigLayout layout);

// Whether two fields of the same slot hold the same value as the file would tell
// them apart: texts as text, numbers and flags as numbers.
bool sameValue(const Slot& a, const Slot& b);

}  // namespace ConfigLines
