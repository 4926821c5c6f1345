#include "library/verifichefiles.h"

#include <QDir>

VerificheFiles::VerificheFiles() = default;

VerificheFiles::~VerificheFiles() = default;

QString VerificheFiles::storedName(const QString& path) const {
    // The folder part keeps its separator; a bare name lies in the current folder,
    // which ListedFolderProbe lists for an empty folder.
    const QString folder = path.left(path.lastIndexOf(QDir::separator()) + 1);
    std::shared_ptr<ListedFolderProbe>& probe = folders_[folder];
    if (!probe) {
        probe = std::make_shared<ListedFolderProbe>(folder);
    }
    return probe->storedName(path);
}
