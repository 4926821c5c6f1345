#include "support/realprogram.h"

#include <QDir>
#include <QFile>

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

qint64 RealProgram::programPid() const {
    const qint64 started = p_.processId();
    if (started <= 0) {
        return 0;
    }
    // The newest process whose parent is the one started: the watcher's program.
    qint64 child = 0;
    for (const QString& entry : QDir(QStringLiteral("/proc")).entryList(QDir::Dirs)) {
        bool number = false;
        const qint64 pid = entry.toLongLong(&number);
        QFile stat(QStringLiteral("/proc/%1/stat").arg(entry));
        if (!number || !stat.open(QIODevice::ReadOnly)) {
            continue;
        }
        // "pid (name) state ppid ...": the name may hold spaces, the ')' ends it.
        const QByteArray line = stat.readAll();
        const QList<QByteArray> rest = line.mid(line.lastIndexOf(')') + 2).split(' ');
        if (rest.size() > 1 && rest[1].toLongLong() == started && pid > child) {
            child = pid;
        }
    }
    return child > 0 ? child : started;
}

RealProgram::~RealProgram() {
    if (const qint64 program = programPid(); program != p_.processId() && program > 0) {
        // The watcher first, so that it starts nothing again.
        ::kill(pid_t(p_.processId()), SIGKILL);
        ::kill(pid_t(program), SIGKILL);
    }
    if (p_.state() != QProcess::NotRunning) {
        p_.kill();
        p_.waitForFinished();
    }
}

bool RealProgram::findWindow() {
    QProcess search;
    search.setProcessEnvironment(env_);
    search.start("xdotool", {"search", "--sync", "--pid", QString::number(programPid()), "--name",
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
