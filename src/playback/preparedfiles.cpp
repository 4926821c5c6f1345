#include "playback/preparedfiles.h"

#include <QFileInfo>

#include "config/sharedstate.h"

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

void PreparedFiles::check(const SharedState& st, const QString& mp3Path) {
    missing_.clear();
    canSound_ = {true, true};
    if (!st.LoopBrano) {
        if (!st.Groove1.isEmpty() && !playable(mp3Path)) {
            missing_ << st.Groove1;
            canSound_ = {false, false};  // both pedals start the MP3
        }
        return;
    }
    const QString* files[2] = {&st.FileGroove1, &st.FileGroove2};
    const QString* names[2] = {&st.Groove1, &st.Groove2};
    for (int i = 0; i < 2; ++i) {
        if (!names[i]->isEmpty() && !playable(*files[i])) {
            missing_ << grooveName(*files[i], st.PathLavoro);
            canSound_[std::size_t(i)] = false;
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
