#include "library/songfiles.h"

#include "config/mp3lookup.h"
#include "platform/fileprobe.h"
#include "platform/foldername.h"

namespace SongFiles {

namespace {
QString named(const QString& field) {
    return field == QLatin1String(" ") ? QString() : field;
}
}  // namespace

QString groovePath(const QString& pathLavoro, const QString& groove1, const QString& name,
                   const FileProbe& probe) {
    return probe.found(pathLavoro + named(groove1).left(3) + FolderName::separator() + name);
}

QStringList played(const QString& pathLavoro, const std::array<Value, 10>& mp3Folders,
                   const QString& groove1, const QString& groove2, bool loop,
                   const FileProbe& probe) {
    QStringList files;
    const QString g1 = named(groove1);
    const QString g2 = named(groove2);
    if (!g1.isEmpty()) {
        const QString path = loop ? groovePath(pathLavoro, g1, g1, probe)
                                  : Mp3Lookup::findPath(mp3Folders, g1, probe);
        if (!path.isEmpty()) {
            files << path;
        }
    }
    if (!g2.isEmpty()) {
        files << groovePath(pathLavoro, g1, g2, probe);
    }
    return files;
}

}  // namespace SongFiles
