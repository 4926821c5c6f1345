#pragma once

// The built program run as a script runs it: on a machine without any display.
#include <QProcess>
#include <QProcessEnvironment>
#include <QString>
#include <QStringList>

struct HeadlessRun {
    int exitCode = -1;
    bool crashed = true;  // also when it did not end in time
    QString out;
    QString err;
};

// Runs QUINTORA_PROGRAM with arguments, the display variables removed from the
// environment and the variables of extra added, in workingDir when given.
inline HeadlessRun runHeadless(const QStringList& arguments,
                               const QProcessEnvironment& extra = QProcessEnvironment(),
                               const QString& workingDir = QString()) {
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM", "LANGUAGE"}) {
        env.remove(QString::fromLatin1(name));
    }
    for (const QString& name : extra.keys()) {
        env.insert(name, extra.value(name));
    }
    QProcess p;
    p.setProcessEnvironment(env);
    if (!workingDir.isEmpty()) {
        p.setWorkingDirectory(workingDir);
    }
    p.start(QStringLiteral(QUINTORA_PROGRAM), arguments);
    HeadlessRun run;
    if (!p.waitForFinished(120000)) {
        p.kill();
        p.waitForFinished();
        return run;
    }
    run.crashed = p.exitStatus() != QProcess::NormalExit;
    run.exitCode = p.exitCode();
    run.out = QString::fromUtf8(p.readAllStandardOutput());
    run.err = QString::fromUtf8(p.readAllStandardError());
    return run;
}
