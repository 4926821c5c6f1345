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
        folded_.insert(name.toLower(), name);  // later duplicates do not replace the first
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
