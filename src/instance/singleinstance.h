#pragma once

#include <QObject>
#include <QString>

class QLocalServer;
class QWidget;

// One Quintora per configuration file. The first program started with a
// configuration listens on a local socket named after the file's full path; a
// second one started with the same file finds it, asks it to come to the front
// and ends, before it opens the pedal box or the sound. The demo and other
// configuration files have sockets of their own and run beside it. A socket left
// behind by a program that crashed answers nobody and is taken over. GUI thread only.
class SingleInstance : public QObject {
    Q_OBJECT
public:
    explicit SingleInstance(const QString& configPath, QObject* parent = nullptr);
    ~SingleInstance() override;

    // True when a Quintora with the same configuration already runs: it has been
    // asked to come to the front, and this program should end. Otherwise this
    // program becomes the one that answers later starts; false.
    bool handOver();

    // The socket's full path for a configuration file: in the user's runtime folder,
    // named after the file's canonical path (its folder's, when it does not exist yet).
    static QString socketPath(const QString& configPath);

    // Brings the program's windows to the front: the main window when it is shown,
    // else what is shown instead (the first run's settings dialog), and any modal
    // message above them.
    static void bringToFront();

signals:
    // Another start with the same configuration asked this program to come forward.
    void activationRequested();

private:
    void listen();
    void accept();

    QString path_;
    QLocalServer* server_ = nullptr;
};
