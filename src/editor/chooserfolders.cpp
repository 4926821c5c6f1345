#include "editor/chooserfolders.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>

namespace {

const QString kGroup = QStringLiteral("Cartelle/");

}  // namespace

ChooserFolders::ChooserFolders(const QString& configPath)
    : path_(configPath.isEmpty() ? QString() : pathFor(configPath)) {
    if (!usable() || !QFileInfo(path_).isFile()) {
        return;
    }
    const QSettings stored(path_, QSettings::IniFormat);
    for (const QString& kind : {kGroove, kMp3}) {
        const QString folder = stored.value(kGroup + kind).toString();
        if (!folder.isEmpty()) {
            folders_.insert(kind, folder);
        }
    }
}

QString ChooserFolders::pathFor(const QString& configPath) {
    const QFileInfo config(configPath);
    return config.dir().filePath(config.completeBaseName() + QStringLiteral("Cartelle.ini"));
}

bool ChooserFolders::usable() const {
    if (path_.isEmpty()) {
        return false;
    }
    // Never a link (its target is someone else's file) nor a device or a pipe.
    const QFileInfo info(path_);
    return !info.isSymLink() && (!info.exists() || info.isFile());
}

QString ChooserFolders::folder(const QString& kind, const QString& fallback) const {
    const QString folder = folders_.value(kind);
    return !folder.isEmpty() && QFileInfo(folder).isDir() ? folder : fallback;
}

void ChooserFolders::remember(const QString& kind, const QString& path) {
    const QString folder = QFileInfo(path).absolutePath();
    if (folder.isEmpty() || folders_.value(kind) == folder) {
        return;
    }
    folders_.insert(kind, folder);
    if (usable()) {
        QSettings stored(path_, QSettings::IniFormat);
        stored.setValue(kGroup + kind, folder);
    }
}
