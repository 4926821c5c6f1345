#include "stage/stageplace.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include "platform/wholefile.h"

namespace {
// Far beyond any screen: a place outside this is damage, not a window.
constexpr int kLimit = 100000;
}  // namespace

QString StagePlace::fileFor(const QString& configPath) {
    return QFileInfo(configPath).dir().filePath(QStringLiteral("Palco.ini"));
}

StagePlace StagePlace::read(const QString& path) {
    StagePlace p;
    QByteArray line;
    if (!WholeFile::read(path, 256, &line).isEmpty()) {
        return p;
    }
    const QList<QByteArray> fields = line.trimmed().split(',');
    if (fields.size() != 5) {
        return p;
    }
    int v[5];
    for (int i = 0; i < 5; ++i) {
        bool ok = false;
        v[i] = fields[i].trimmed().toInt(&ok);
        if (!ok || v[i] < -kLimit || v[i] > kLimit) {
            return p;
        }
    }
    if (v[2] <= 0 || v[3] <= 0) {
        return p;
    }
    p.place = QRect(v[0], v[1], v[2], v[3]);
    p.fullScreen = v[4] != 0;
    return p;
}

QString StagePlace::write(const QString& path) const {
    QDir().mkpath(QFileInfo(path).absolutePath());
    const QByteArray line = QStringLiteral("%1,%2,%3,%4,%5\r\n")
                                .arg(place.x())
                                .arg(place.y())
                                .arg(place.width())
                                .arg(place.height())
                                .arg(fullScreen ? -1 : 0)
                                .toLatin1();
    const QString error = WholeFile::write(path, line);
    if (!error.isEmpty()) {
        return QStringLiteral("Impossibile salvare la posizione della finestra Palco in \"%1\": %2")
            .arg(QDir::toNativeSeparators(path), error);
    }
    return {};
}
