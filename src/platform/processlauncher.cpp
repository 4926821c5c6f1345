#include "platform/processlauncher.h"

#include <QDesktopServices>
#include <QProcess>
#include <QStandardPaths>
#include <QUrl>

bool ProcessLauncher::start(const QString& program, const QStringList& arguments) {
    return QProcess::startDetached(program, arguments);
}

bool ProcessLauncher::openDocument(const QString& path) {
    return QDesktopServices::openUrl(QUrl::fromLocalFile(path));
}

QString ProcessLauncher::findProgram(const QString& name) const {
    return QStandardPaths::findExecutable(name);
}
