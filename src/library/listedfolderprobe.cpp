#include "library/listedfolderprobe.h"

#include <QDir>

ListedFolderProbe::ListedFolderProbe(const QString& folder) : folder_(folder) {
    // The folder itself is found whatever its case, as FileProbe finds it.
    const QDir dir(folder.isEmpty() ? QStringLiteral(".") : storedFolder(folder));
    const QStringList names =
        dir.entryList(QDir::Files | QDir::Hidden | QDir::System, QDir::Name | QDir::IgnoreCase);
    exact_.reserve(names.size());
    for (const QString& name : names) {
        exact_.insert(name);
        // Names that differ only in case: the first in plain character order, as
        // FileProbe chooses.
        const auto it = folded_.constFind(name.toLower());
        if (it == folded_.cend() || name.compare(*it) < 0) {
            folded_.insert(name.toLower(), name);
        }
    }
}

QString ListedFolderProbe::storedName(const QString& path) const {
    if (!path.startsWith(folder_)) {
        return FileProbe::storedName(path);
    }
    const QString name = path.mid(folder_.size());
    if (name.isEmpty() || name.contains(QDir::separator()) || name == u"." || name == u"..") {
        return FileProbe::storedName(path);
    }
    if (exact_.contains(name)) {
        return name;
    }
    return folded_.value(name.toLower());
}
