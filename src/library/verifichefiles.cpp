#include "library/verifichefiles.h"

#include <QDir>

VerificheFiles::VerificheFiles() = default;

VerificheFiles::~VerificheFiles() = default;

QString VerificheFiles::storedName(const QString& path) const {
    // The folder part keeps its separator; a bare name lies in the current folder,
    // which ListedFolderProbe lists for an empty folder.
    // The folder itself is found whatever its case, as FileProbe finds it.
    const qsizetype cut = path.lastIndexOf(QDir::separator()) + 1;
    const QString folder = path.left(cut);
    std::shared_ptr<ListedFolderProbe>& probe = folders_[folder];
    if (!probe) {
        probe = std::make_shared<ListedFolderProbe>(storedFolder(folder));
    }
    return probe->storedName(probe->folder() + path.mid(cut));
}
