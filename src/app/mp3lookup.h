#pragma once

#include <QString>
#include <array>

#include "app/value.h"
#include "platform/fileprobe.h"

// Where a song's MP3 lies: the first of the ten MP3 folders in which a lookup of
// folder + name finds the file under exactly that name (same letters, same case).
// An empty folder slot leaves the bare name, looked up in the current folder.
namespace Mp3Lookup {

// The slot 0..9 holding the file, or -1 when no folder holds it.
inline int findSlot(const std::array<Value, 10>& folders, const QString& name,
                    const FileProbe& probe) {
    if (name.isEmpty()) {
        return -1;
    }
    for (int i = 0; i < int(folders.size()); ++i) {
        if (probe.storedName(folders[i].toText() + name) == name) {
            return i;
        }
    }
    return -1;
}

}  // namespace Mp3Lookup
