#include "playback/preparedfiles.h"

#include <QFileInfo>

namespace {

// Only a regular file is ever opened as audio.
bool playable(const QString& path) {
    return !path.isEmpty() && QFileInfo(path).isFile();
}

// A groove named as the performer knows it: its path below the working folder.
QString grooveName(const QString& path, const QString& pathLavoro) {
    return !pathLavoro.isEmpty() && path.startsWith(pathLavoro) ? path.mid(pathLavoro.size())
                                                                : path;
}

}  // namespace

void PreparedFiles::check(bool loop, const std::array<QString, 2>& names,
                          const std::array<QString, 2>& files, const QString& mp3Path,
                          const QString& pathLavoro) {
    missing_.clear();
    canSound_ = {true, true};
    if (!loop) {
        if (!names[0].isEmpty() && !playable(mp3Path)) {
            missing_ << names[0];
            canSound_ = {false, false};  // both pedals start the MP3
        }
        return;
    }
    for (std::size_t i = 0; i < 2; ++i) {
        if (!names[i].isEmpty() && !playable(files[i])) {
            missing_ << grooveName(files[i], pathLavoro);
            canSound_[i] = false;
        }
    }
}

QString PreparedFiles::text(const QString& title) const {
    if (missing_.isEmpty()) {
        return {};
    }
    const QString what = missing_.size() == 1 ? QStringLiteral("File mancante per \"%1\": %2")
                                              : QStringLiteral("File mancanti per \"%1\": %2");
    return what.arg(title, missing_.join(QStringLiteral(", ")));
}
