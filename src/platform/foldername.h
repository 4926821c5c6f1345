#pragma once

#include <QDir>
#include <QString>

// Folder paths as the program keeps them: full paths ending in the separator.
namespace FolderName {

inline QChar separator() {
    return QDir::separator();
}

// The folder's own name, as a filter button shows it: drop the last character (the
// trailing separator), then keep what follows the last remaining separator; when
// none is left the whole remaining text is the name (C:\ gives C:). The root
// folder "/", which would leave nothing, keeps its own name "/".
inline QString ownName(const QString& path) {
    if (path.isEmpty()) {
        return {};
    }
    const QString trimmed = path.left(path.size() - 1);
    const qsizetype cut = trimmed.lastIndexOf(separator());
    const QString name = cut < 0 ? trimmed : trimmed.mid(cut + 1);
    return name.isEmpty() ? path : name;
}

// The path with a separator at its end (added only when missing).
inline QString withSeparator(const QString& path) {
    return path.endsWith(separator()) ? path : path + separator();
}

// A file name inside a folder, with exactly the one separator between them whether
// or not the folder was stored with its own. An empty folder stays empty: the name
// alone, never a folder of the file system's root.
inline QString join(const QString& folder, const QString& name) {
    return folder.isEmpty() ? name : withSeparator(folder) + name;
}

}  // namespace FolderName
