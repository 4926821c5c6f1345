#pragma once

#include <QString>
#include <array>

#include "config/value.h"
#include "platform/fileprobe.h"

// Where a song's MP3 lies: the first of the ten MP3 folders in which a lookup of
// folder + name finds the file, whatever the case of its name (a library made on
// Windows names files as that system found them); in a folder holding several that
// differ only in case, the exact one, else the first in plain character order. An
// empty folder slot leaves the bare name, looked up in the current folder.
namespace Mp3Lookup {

// The slot 0..9 holding the file, or -1 when no folder holds it.
inline int findSlot(const std::array<Value, 10>& folders, const QString& name,
                    const FileProbe& probe) {
    if (name.isEmpty()) {
        return -1;
    }
    for (int i = 0; i < int(folders.size()); ++i) {
        if (!probe.storedName(folders[i].toText() + name).isEmpty()) {
            return i;
        }
    }
    return -1;
}

// The full path of the file as stored, or empty when no folder holds it.
inline QString findPath(const std::array<Value, 10>& folders, const QString& name,
                        const FileProbe& probe) {
    const int slot = findSlot(folders, name, probe);
    if (slot < 0) {
        return {};
    }
    return probe.resolve(folders[std::size_t(slot)].toText() + name);
}

}  // namespace Mp3Lookup
