#include "platform/fileprobe.h"

#include <QDir>
#include <QFileInfo>

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
    QDir dir(folderOf(path));
    if (!dir.exists()) {
        return {};
    }
    const QStringList entries = dir.entryList(QDir::Files | QDir::Hidden | QDir::System);
    for (const QString& entry : entries) {
        if (entry.compare(name, Qt::CaseInsensitive) == 0) {
            return entry;
        }
    }
    return {};
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
    return cut < 0 ? found : path.left(cut + 1) + found;
}

bool FileProbe::folderExists(const QString& path) const {
    if (path.isEmpty()) {
        return false;
    }
    return QFileInfo(path).isDir();
}
