#include "instance/singleinstance.h"

#include <QApplication>
#include <QCryptographicHash>
#include <QDir>
#include <QFileInfo>
#include <QLocalServer>
#include <QLocalSocket>
#include <QStandardPaths>
#include <QWidget>

#include "platform/clock.h"
#include "platform/realclock.h"

#ifdef Q_OS_UNIX
#include <sys/socket.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#endif

namespace {

// What a later start sends: a short fixed line, so that nothing else is parsed.
const QByteArray kRaise = QByteArrayLiteral("quintora:raise\n");
// How long a later start waits for the running one's socket, in milliseconds.
constexpr int kConnectWait = 2000;

QString canonicalConfig(const QString& configPath) {
    const QFileInfo file(configPath);
    const QString canonical = file.canonicalFilePath();
    if (!canonical.isEmpty()) {
        return canonical;
    }
    const QString folder = file.absoluteDir().canonicalPath();
    return (folder.isEmpty() ? file.absolutePath() : folder) + QLatin1Char('/') + file.fileName();
}

#ifdef Q_OS_UNIX
// Owned by this user, a folder itself (not a link to one), and closed to others.
bool isPrivateFolder(const QByteArray& path) {
    struct stat st {};
    return ::lstat(path.constData(), &st) == 0 && S_ISDIR(st.st_mode) && st.st_uid == ::geteuid() &&
           (st.st_mode & 077) == 0;
}

// The session's runtime folder when it is private; else a folder of the user's
// own in the temporary folder, made when missing. Another user may have put
// something in its place first: then there is none.
QString privateFolder() {
    const QByteArray runtime = qgetenv("XDG_RUNTIME_DIR");
    if (runtime.startsWith('/') && isPrivateFolder(runtime)) {
        return QFile::decodeName(runtime);
    }
    const QString own = QDir::tempPath() + QStringLiteral("/quintora-%1").arg(::geteuid());
    const QByteArray name = QFile::encodeName(own);
    if (::mkdir(name.constData(), 0700) != 0 && errno != EEXIST) {
        return {};
    }
    return isPrivateFolder(name) ? own : QString();
}
#else
QString privateFolder() {
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    return folder.isEmpty() ? QDir::tempPath() : folder;
}
#endif

// Whether the program at the other end of a connected socket is this user's.
bool sameUser(qintptr descriptor) {
#if defined(Q_OS_LINUX)
    ucred peer{};
    socklen_t size = sizeof peer;
    return ::getsockopt(int(descriptor), SOL_SOCKET, SO_PEERCRED, &peer, &size) == 0 &&
           peer.uid == ::geteuid();
#elif defined(Q_OS_UNIX)
    uid_t uid = 0;
    gid_t gid = 0;
    return ::getpeereid(int(descriptor), &uid, &gid) == 0 && uid == ::geteuid();
#else
    Q_UNUSED(descriptor);
    return true;
#endif
}

}  // namespace

SingleInstance::SingleInstance(const QString& configPath, Clock* clock, QObject* parent)
    : QObject(parent),
      ownClock_(clock ? nullptr : std::make_unique<RealClock>()),
      clock_(clock ? *clock : *ownClock_),
      path_(socketPath(configPath)) {}

SingleInstance::~SingleInstance() {
    // The sockets go with the server; their deadlines must not outlive them.
    waiting_.clear();
}

QString SingleInstance::socketPath(const QString& configPath) {
    const QString folder = privateFolder();
    if (folder.isEmpty()) {
        return {};
    }
    const QByteArray hash =
        QCryptographicHash::hash(canonicalConfig(configPath).toUtf8(), QCryptographicHash::Sha1)
            .toHex()
            .left(16);
    return folder + QStringLiteral("/quintora-") + QString::fromLatin1(hash);
}

bool SingleInstance::handOver() {
    if (path_.isEmpty()) {
        // No folder only this user can use: this program runs without the guard.
        return false;
    }
    QLocalSocket socket;
    socket.connectToServer(path_);
    if (socket.waitForConnected(kConnectWait)) {
        if (!sameUser(socket.socketDescriptor())) {
            // Not a Quintora of this user's: neither handed over to nor replaced.
            socket.abort();
            return false;
        }
        socket.write(kRaise);
        socket.waitForBytesWritten(kConnectWait);
        socket.disconnectFromServer();
        return true;
    }
    listen();
    return false;
}

void SingleInstance::listen() {
    server_ = new QLocalServer(this);
    server_->setSocketOptions(QLocalServer::UserAccessOption);
    connect(server_, &QLocalServer::newConnection, this, &SingleInstance::accept);
    if (!server_->listen(path_)) {
        // Nobody answered on it: a program that crashed left it behind.
        QLocalServer::removeServer(path_);
        server_->listen(path_);
    }
}

void SingleInstance::accept() {
    while (QLocalSocket* socket = server_->nextPendingConnection()) {
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        if (!sameUser(socket->socketDescriptor()) || int(waiting_.size()) >= kMaxWaiting) {
            drop(socket);
            continue;
        }
        take(socket);
    }
}

void SingleInstance::drop(QLocalSocket* socket) {
    socket->abort();
    socket->deleteLater();
}

void SingleInstance::take(QLocalSocket* socket) {
    // The deadline goes with the socket once it is deleted, never from within its
    // own tick.
    std::unique_ptr<TimerDriver> deadline = clock_.makeTimer([socket] { drop(socket); });
    deadline->arm(kIdleMs);
    waiting_[socket] = std::move(deadline);
    connect(socket, &QObject::destroyed, this, [this, socket] { waiting_.erase(socket); });
    const auto read = [this, socket] {
        if (!socket->canReadLine()) {
            // Anything longer than the one line is not a Quintora asking.
            if (socket->bytesAvailable() > kRaise.size()) {
                drop(socket);
            }
            return;
        }
        const QByteArray line = socket->readLine(kRaise.size() + 1);
        socket->disconnectFromServer();
        if (line == kRaise) {
            bringToFront();
            emit activationRequested();
        }
    };
    connect(socket, &QLocalSocket::readyRead, this, read);
    read();
}

void SingleInstance::bringToFront() {
    QWidget* main = nullptr;
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (w->isVisible() && w->isWindow() && !w->parentWidget()) {
            if (!main || w->inherits("QMainWindow")) {
                main = w;
            }
        }
    }
    if (main) {
        if (main->isMinimized()) {
            main->showNormal();
        }
        main->raise();
        main->activateWindow();
    }
    if (QWidget* modal = QApplication::activeModalWidget()) {
        modal->raise();
        modal->activateWindow();
    }
}
