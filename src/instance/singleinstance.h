#pragma once

#include <QObject>
#include <QString>
#include <map>
#include <memory>

class Clock;
class QLocalServer;
class QLocalSocket;
class QWidget;
class TimerDriver;

// One Quintora per configuration file. The first program started with a
// configuration listens on a local socket named after the file's full path; a
// second one started with the same file finds it, asks it to come to the front
// and ends, before it opens the pedal box or the sound. The demo and other
// configuration files have sockets of their own and run beside it. A socket left
// behind by a program that crashed answers nobody and is taken over.
//
// The socket lies in a folder only the user can use (the session's runtime folder,
// else a private folder of the user's own in the temporary folder), and only a
// program of the same user is answered or handed over to; where no such folder can
// be had, the program runs without the guard. A connection that does not send its
// line within a couple of seconds is dropped, and only a few may wait at once.
// GUI thread only.
class SingleInstance : public QObject {
    Q_OBJECT
public:
    // Without a clock, the real one times the waiting connections.
    explicit SingleInstance(const QString& configPath, Clock* clock = nullptr,
                            QObject* parent = nullptr);
    ~SingleInstance() override;

    // How long a connection may wait for its line, and how many may wait at once.
    static constexpr double kIdleMs = 2000;
    static constexpr int kMaxWaiting = 8;

    // True when a Quintora with the same configuration already runs: it has been
    // asked to come to the front, and this program should end. Otherwise this
    // program becomes the one that answers later starts; false.
    bool handOver();

    // The socket's full path for a configuration file: in the user's private folder
    // (see above), named after the file's canonical path (its folder's, when it does
    // not exist yet). Empty when no folder only the user can use is to be had.
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
    void take(QLocalSocket* socket);
    static void drop(QLocalSocket* socket);

    std::unique_ptr<Clock> ownClock_;
    Clock& clock_;
    QString path_;
    QLocalServer* server_ = nullptr;
    // The connections that have not sent their line yet, each with its deadline.
    std::map<QLocalSocket*, std::unique_ptr<TimerDriver>> waiting_;
};
