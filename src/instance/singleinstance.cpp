#include "instance/singleinstance.h"

#include <QApplication>
#include <QCryptographicHash>
#include <QDir>
#include <QFileInfo>
#include <QLocalServer>
#include <QLocalSocket>
#include <QStandardPaths>
#include <QWidget>

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

}  // namespace

SingleInstance::SingleInstance(const QString& configPath, QObject* parent)
    : QObject(parent), path_(socketPath(configPath)) {}

SingleInstance::~SingleInstance() = default;

QString SingleInstance::socketPath(const QString& configPath) {
    QString folder = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (folder.isEmpty()) {
        folder = QDir::tempPath();
    }
    const QByteArray hash =
        QCryptographicHash::hash(canonicalConfig(configPath).toUtf8(), QCryptographicHash::Sha1)
            .toHex()
            .left(16);
    return folder + QStringLiteral("/quintora-") + QString::fromLatin1(hash);
}

bool SingleInstance::handOver() {
    QLocalSocket socket;
    socket.connectToServer(path_);
    if (socket.waitForConnected(kConnectWait)) {
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
        const auto read = [this, socket] {
            if (!socket->canReadLine()) {
                // Anything longer than the one line is not a Quintora asking.
                if (socket->bytesAvailable() > kRaise.size()) {
                    socket->abort();
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
