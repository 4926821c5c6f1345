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

bool ProcessLauncher::openWatched(const QString& path, QObject* context,
                                  std::function<void()> failed) {
#if defined(Q_OS_UNIX) && !defined(Q_OS_MACOS)
    const QString opener = findProgram(QStringLiteral("xdg-open"));
    if (opener.isEmpty()) {
        return false;
    }
    // The opener may stay until the document's program ends (some desktops work so):
    // it is never waited for and never killed. A process still running when the
    // program ends is left to run, so its QProcess is deliberately not destroyed then.
    auto* process = new QProcess;
    process->setProcessChannelMode(QProcess::ForwardedChannels);
    QObject::connect(process, &QProcess::finished, context,
                     [process, failed](int exitCode, QProcess::ExitStatus status) {
                         process->deleteLater();
                         if (status != QProcess::NormalExit || exitCode != 0) {
                             failed();
                         }
                     });
    QObject::connect(process, &QProcess::errorOccurred, context,
                     [process, failed](QProcess::ProcessError error) {
                         if (error == QProcess::FailedToStart) {
                             process->deleteLater();
                             failed();
                         }
                     });
    process->start(opener, {path});
    return true;
#else
    Q_UNUSED(context);
    Q_UNUSED(failed);
    return openDocument(path);
#endif
}

QString ProcessLauncher::findProgram(const QString& name) const {
    return QStandardPaths::findExecutable(name);
}
