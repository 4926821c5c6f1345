#include "support/realprogram.h"

#include <QStandardPaths>
#include <csignal>

#include "support/testlibrary.h"

bool XDisplay::start() {
    xvfb_.start(QStringLiteral("Xvfb"),
                {"-displayfd", "1", "-screen", "0", "1280x1024x24", "-nolisten", "tcp"});
    if (!xvfb_.waitForStarted() ||
        !waitFor([this] { return xvfb_.canReadLine() || xvfb_.state() != QProcess::Running; })) {
        return false;
    }
    name_ = QStringLiteral(":") + QString::fromLatin1(xvfb_.readLine().trimmed());
    return name_.size() > 1;
}

XDisplay::~XDisplay() {
    xvfb_.terminate();
    xvfb_.waitForFinished();
}

QString RealProgram::missingTools() {
    if (QStandardPaths::findExecutable("Xvfb").isEmpty() ||
        QStandardPaths::findExecutable("xdotool").isEmpty()) {
        return QStringLiteral("SKIPPED: needs Xvfb and xdotool (scripts/deps.sh installs them)");
    }
    return {};
}

RealProgram::RealProgram(const XDisplay& display, const QString& runtime,
                         const QStringList& arguments) {
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("DISPLAY", display.name());
    env.insert("QT_QPA_PLATFORM", "xcb");
    env.insert("XDG_RUNTIME_DIR", runtime);
    env_ = env;
    p_.setProcessEnvironment(env);
    p_.start(QStringLiteral(QUINTORA_PROGRAM), arguments);
}

RealProgram::~RealProgram() {
    if (p_.state() != QProcess::NotRunning) {
        p_.kill();
        p_.waitForFinished();
    }
}

bool RealProgram::findWindow() {
    QProcess search;
    search.setProcessEnvironment(env_);
    search.start("xdotool", {"search", "--sync", "--pid", QString::number(p_.processId()), "--name",
                             "^Quintora$"});
    if (!search.waitForFinished(60000)) {
        return false;
    }
    window_ = QString::fromLatin1(search.readAllStandardOutput()).split('\n').value(0);
    return !window_.isEmpty();
}

void RealProgram::key(const QString& name) {
    QProcess xdotool;
    xdotool.setProcessEnvironment(env_);
    xdotool.start("xdotool", {"key", "--window", window_, name});
    xdotool.waitForFinished(20000);
}

void RealProgram::killHard() {
    ::kill(pid_t(p_.processId()), SIGKILL);
    p_.waitForFinished();
}

bool RealStage::start() {
    QFile::setPermissions(runtime.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    TestLibrary::install(files);
    return display.start();
}
