#include "instance/watcher.h"

#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <cerrno>
#include <chrono>
#include <cstdlib>

#include "config/configcodec.h"
#include "config/configfile.h"
#include "platform/wholefile.h"

extern char** environ;

namespace {

volatile sig_atomic_t child = 0;

// Passed on to the program: a logout or a Ctrl+C ends it, not only its watcher.
void passOn(int signal) {
    if (child > 0) {
        ::kill(pid_t(child), signal);
    }
}

double nowSeconds() {
    return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

int exitStatus(int waitStatus) {
    if (WIFEXITED(waitStatus)) {
        return WEXITSTATUS(waitStatus);
    }
    return WIFSIGNALED(waitStatus) ? 128 + WTERMSIG(waitStatus) : 1;
}

}  // namespace

bool Watcher::watched() {
    return std::getenv(kWatchedVariable) != nullptr;
}

bool Watcher::restarted() {
    return std::getenv(kRestartVariable) != nullptr;
}

bool Watcher::wanted(const QString& configPath) {
    const ConfigFile::ReadResult file = ConfigFile::read(configPath);
    return file.status == ConfigFile::Status::Ok &&
           ConfigCodec::read(file.bytes).data.resumeSounding.toNumber() != 0;
}

bool Watcher::isCrash(int waitStatus) {
    if (!WIFSIGNALED(waitStatus)) {
        return false;
    }
    switch (WTERMSIG(waitStatus)) {
        case SIGTERM:
        case SIGINT:
        case SIGHUP:
        case SIGQUIT:
            return false;
        default:
            return true;
    }
}

bool Watcher::restarts(double lastSeconds, double nowSeconds) {
    return lastSeconds < 0 || nowSeconds - lastSeconds >= kCrashWindowSeconds;
}

QString Watcher::notePath(const QString& configPath) {
    const QFileInfo config(configPath);
    return config.dir().filePath(config.completeBaseName() + QStringLiteral("Arresti.txt"));
}

QString Watcher::gaveUpText() {
    return QStringLiteral(
        "Quintora si è arrestato due volte in meno di un minuto durante lo spettacolo: "
        "per non ripetere l'arresto a oltranza non è stato riavviato una terza volta. "
        "Se succede di nuovo con lo stesso brano, controllane i file con \"Verif\".");
}

QString Watcher::takeNote(const QString& configPath) {
    const QString path = notePath(configPath);
    const QFileInfo note(path);
    if (note.isSymLink() || !note.isFile()) {
        return {};
    }
    QFile::remove(path);
    return gaveUpText();
}

int Watcher::run(char** argv, const QString& configPath) {
    ::setenv(kWatchedVariable, "1", 1);
    struct sigaction pass {};
    pass.sa_handler = passOn;
    sigemptyset(&pass.sa_mask);
    for (int s : {SIGTERM, SIGINT, SIGHUP, SIGQUIT}) {
        ::sigaction(s, &pass, nullptr);
    }
    double lastCrash = -1;
    for (int starts = 0;; ++starts) {
        pid_t pid = 0;
        // The program's own file, wherever argv[0] points.
        if (::posix_spawn(&pid, "/proc/self/exe", nullptr, nullptr, argv, environ) != 0) {
            return starts == 0 ? -1 : 1;
        }
        child = pid;
        int status = 0;
        while (::waitpid(pid, &status, 0) < 0 && errno == EINTR) {
        }
        child = 0;
        if (!isCrash(status)) {
            return exitStatus(status);
        }
        const double now = nowSeconds();
        if (!restarts(lastCrash, now)) {
            WholeFile::write(notePath(configPath), gaveUpText().toUtf8() + '\n',
                             WholeFile::Links::Refuse);
            return exitStatus(status);
        }
        lastCrash = now;
        ::setenv(kRestartVariable, "1", 1);
    }
}
