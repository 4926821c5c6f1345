#include "platform/fileprobe.h"

#include <sys/stat.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringList>
#include <algorithm>

#include "platform/foldername.h"

namespace {

QString fileNameOf(const QString& path) {
    const qsizetype cut = path.lastIndexOf(QDir::separator());
    return cut < 0 ? path : path.mid(cut + 1);
}

QString folderOf(const QString& path) {
    const qsizetype cut = path.lastIndexOf(QDir::separator());
    if (cut < 0) {
        return QStringLiteral(".");
    }
    return cut == 0 ? QString(QDir::separator()) : path.left(cut);
}

FileProbe::Kind statKind(const QString& path) {
    struct stat info {};
    if (::stat(QFile::encodeName(path).constData(), &info) != 0) {
        return FileProbe::Kind::None;
    }
    if (S_ISREG(info.st_mode)) {
        return FileProbe::Kind::File;
    }
    return S_ISDIR(info.st_mode) ? FileProbe::Kind::Folder : FileProbe::Kind::Other;
}

// The entry of folder whose name matches name without regard to case; empty when
// none. When several entries differ from name only in case, the first in plain
// character order is taken (upper case before lower case: "FNK" before "Fnk"
// before "fnk"), so the answer does not depend on the order in which the file
// system happens to list them.
QString entryWhateverCase(const QString& folder, const QString& name, QDir::Filters filters) {
    const QStringList entries =
        QDir(folder).entryList(filters | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    QStringList matches;
    for (const QString& entry : entries) {
        if (entry.compare(name, Qt::CaseInsensitive) == 0) {
            matches << entry;
        }
    }
    if (matches.isEmpty()) {
        return {};
    }
    std::sort(matches.begin(), matches.end(),
              [](const QString& a, const QString& b) { return a.compare(b) < 0; });
    return matches.first();
}

}  // namespace

QString FileProbe::storedName(const QString& path) const {
    const QString name = fileNameOf(path);
    if (name.isEmpty() || name == QLatin1String(".") || name == QLatin1String("..")) {
        return {};
    }
    const QFileInfo exact(path);
    if (exact.exists() && exact.isFile()) {
        return name;
    }
    const QString folder = storedFolder(folderOf(path));
    if (!QFileInfo(folder).isDir()) {
        return {};
    }
    // Under its own name in the folder as stored, else whatever its case.
    if (QFileInfo(FolderName::join(folder, name)).isFile()) {
        return name;
    }
    return entryWhateverCase(folder, name, QDir::Files);
}

bool FileProbe::hasExactName(const QString& path) const {
    const QString found = storedName(path);
    return !found.isEmpty() && found == fileNameOf(path);
}

QString FileProbe::resolve(const QString& path) const {
    const QString found = storedName(path);
    if (found.isEmpty()) {
        return {};
    }
    const qsizetype cut = path.lastIndexOf(QDir::separator());
    return cut < 0 ? found : withStoredFolder(path.left(cut + 1) + found);
}

QString FileProbe::found(const QString& path) const {
    const QString stored = resolve(path);
    return stored.isEmpty() ? withStoredFolder(path) : stored;
}

bool FileProbe::folderExists(const QString& path) const {
    if (path.isEmpty()) {
        return false;
    }
    return QFileInfo(path).isDir();
}

QString FileProbe::storedFolder(const QString& folder) const {
    if (folder.isEmpty() || QFileInfo(folder).isDir()) {
        return folder;
    }
    const QChar sep = QDir::separator();
    const QStringList parts = folder.split(sep);
    QString built;  // the folder found so far, as stored
    for (qsizetype i = 0; i < parts.size(); ++i) {
        const QString& part = parts[i];
        const QString exact = i == 0 ? part : built + sep + part;
        if (part.isEmpty() || part == QLatin1String(".") || part == QLatin1String("..") ||
            QFileInfo(exact).isDir()) {
            built = exact;
            continue;
        }
        const QString parent = i == 0            ? QStringLiteral(".")
                               : built.isEmpty() ? QString(sep)
                                                 : built;
        const QString match = entryWhateverCase(parent, part, QDir::Dirs);
        if (match.isEmpty()) {
            return folder;  // not there in any case: the folder as given
        }
        built = i == 0 ? match : built + sep + match;
    }
    return built;
}

QString FileProbe::withStoredFolder(const QString& path) const {
    const qsizetype cut = path.lastIndexOf(QDir::separator());
    if (cut < 0) {
        return path;
    }
    const QString folder = cut == 0 ? QString(QDir::separator()) : path.left(cut);
    const QString stored = storedFolder(folder);
    return (stored.endsWith(QDir::separator()) ? stored : stored + QDir::separator()) +
           path.mid(cut + 1);
}

FileProbe::Kind FileProbe::kindOf(const QString& path) const {
    const Kind exact = statKind(path);
    if (exact != Kind::None) {
        return exact;
    }
    const QString name = fileNameOf(path);
    if (name.isEmpty()) {
        return Kind::None;
    }
    const QString folder = storedFolder(folderOf(path));
    const QString entry = entryWhateverCase(folder, name, QDir::AllEntries);
    return entry.isEmpty()
               ? Kind::None
               : statKind(
                     (folder.endsWith(QDir::separator()) ? folder : folder + QDir::separator()) +
                     entry);
}
