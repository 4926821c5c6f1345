// One Quintora per configuration file: a second start hands over to the first.
#include <gtest/gtest.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocalSocket>
#include <QProcess>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <csignal>
#include <memory>
#include <vector>

#include "instance/singleinstance.h"
#include "platform/manualclock.h"

namespace {

// A runtime folder of the test's own, so that no Quintora of the user's answers.
class RuntimeFolder {
public:
    RuntimeFolder() : old_(qgetenv("XDG_RUNTIME_DIR")) {
        QFile::setPermissions(dir_.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        qputenv("XDG_RUNTIME_DIR", dir_.path().toLocal8Bit());
    }
    ~RuntimeFolder() { qputenv("XDG_RUNTIME_DIR", old_); }

private:
    QTemporaryDir dir_;
    QByteArray old_;
};

// A session without a runtime folder (a plain X start, ssh -X): the variable unset
// and a temporary folder of the test's own, open to every user as /tmp is.
class NoRuntimeFolder {
public:
    NoRuntimeFolder() : oldRuntime_(qgetenv("XDG_RUNTIME_DIR")), oldTemp_(qgetenv("TMPDIR")) {
        ::chmod(QFile::encodeName(tmp_.path()).constData(), 01777);
        qunsetenv("XDG_RUNTIME_DIR");
        qputenv("TMPDIR", QFile::encodeName(tmp_.path()));
    }
    ~NoRuntimeFolder() {
        oldRuntime_.isNull() ? qunsetenv("XDG_RUNTIME_DIR")
                             : qputenv("XDG_RUNTIME_DIR", oldRuntime_);
        oldTemp_.isNull() ? qunsetenv("TMPDIR") : qputenv("TMPDIR", oldTemp_);
    }
    QString path() const { return tmp_.path(); }

private:
    QTemporaryDir tmp_;
    QByteArray oldRuntime_;
    QByteArray oldTemp_;
};

// Another user of the machine (nobody) who got there first: owns the folders the
// program could use for its socket and listens on the names it could take, holding
// every connection.
class OtherUser {
public:
    OtherUser(const QStringList& folders, const QStringList& sockets) {
        int ready[2];
        EXPECT_EQ(::pipe(ready), 0);
        pid_ = ::fork();
        if (pid_ == 0) {
            ::close(ready[0]);
            if (::setgid(65534) != 0 || ::setuid(65534) != 0) {
                ::_exit(1);
            }
            for (const QString& f : folders) {
                ::mkdir(QFile::encodeName(f).constData(), 0777);
            }
            for (const QString& name : sockets) {
                sockaddr_un address{};
                address.sun_family = AF_UNIX;
                const QByteArray path = QFile::encodeName(name);
                ::strncpy(address.sun_path, path.constData(), sizeof address.sun_path - 1);
                const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
                if (::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0) {
                    ::chmod(path.constData(), 0777);
                    ::listen(fd, 16);
                }
            }
            (void)!::write(ready[1], "x", 1);
            for (;;) {
                ::pause();
            }
        }
        ::close(ready[1]);
        char c = 0;
        EXPECT_EQ(::read(ready[0], &c, 1), 1);
        ::close(ready[0]);
    }
    ~OtherUser() {
        ::kill(pid_, SIGKILL);
        ::waitpid(pid_, nullptr, 0);
    }

private:
    pid_t pid_ = -1;
};

QProcess* startProgram(const QStringList& arguments) {
    auto* p = new QProcess;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    p->setProcessEnvironment(env);
    p->start(QStringLiteral(QUINTORA_PROGRAM), arguments);
    return p;
}

void stop(QProcess* p) {
    p->kill();
    p->waitForFinished();
    delete p;
}

}  // namespace

TEST(OneInstance, ASecondStartWithTheSameFileHandsOverAndAnotherFileRunsBeside) {
    RuntimeFolder runtime;
    QTemporaryDir dir;
    const QString config = dir.filePath("Quintora.ini");
    SingleInstance first(config);
    EXPECT_FALSE(first.handOver());
    QSignalSpy asked(&first, &SingleInstance::activationRequested);

    // The same file, written another way, is the same Quintora.
    SingleInstance second(dir.filePath("sub/../Quintora.ini"));
    EXPECT_TRUE(second.handOver());
    EXPECT_TRUE(asked.wait(5000));
    EXPECT_EQ(asked.count(), 1);

    SingleInstance other(dir.filePath("Altro.ini"));
    EXPECT_FALSE(other.handOver());
    SingleInstance third(config);
    EXPECT_TRUE(third.handOver());
    EXPECT_TRUE(asked.wait(5000));
}

TEST(OneInstance, TheSocketOfAProgramThatCrashedIsTakenOver) {
    RuntimeFolder runtime;
    QTemporaryDir dir;
    const QString config = dir.filePath("Quintora.ini");
    // What a killed program leaves: its socket's name, with nobody behind it.
    QFile left(SingleInstance::socketPath(config));
    ASSERT_TRUE(left.open(QIODevice::WriteOnly));
    left.close();
    SingleInstance restarted(config);
    EXPECT_FALSE(restarted.handOver());
    QSignalSpy asked(&restarted, &SingleInstance::activationRequested);
    SingleInstance later(config);
    EXPECT_TRUE(later.handOver());
    EXPECT_TRUE(asked.wait(5000));
}

TEST(OneInstance, TheRealProgramStartedTwiceEndsTheSecondWithoutOpeningTheSound) {
    RuntimeFolder runtime;
    QTemporaryDir dir;
    const QString config = dir.filePath("Quintora.ini");
    QProcess* first = startProgram(
        {"--config", config, "--port", "virtual", "--audio-out", dir.filePath("primo.wav")});
    // Waits until the first program answers (no time is measured).
    QTRY_VERIFY_WITH_TIMEOUT(QFileInfo::exists(SingleInstance::socketPath(config)), 60000);

    QProcess* second = startProgram(
        {"--config", config, "--port", "virtual", "--audio-out", dir.filePath("secondo.wav")});
    ASSERT_TRUE(second->waitForFinished(60000));
    EXPECT_EQ(second->exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(second->exitCode(), 0);
    EXPECT_FALSE(QFileInfo::exists(dir.filePath("secondo.wav")));
    EXPECT_EQ(first->state(), QProcess::Running);

    // Another configuration runs beside it, and answers starts of its own.
    const QString other = dir.filePath("Altro.ini");
    QProcess* beside = startProgram(
        {"--config", other, "--port", "virtual", "--audio-out", dir.filePath("altro.wav")});
    QTRY_VERIFY_WITH_TIMEOUT(QFileInfo::exists(SingleInstance::socketPath(other)), 60000);
    EXPECT_EQ(beside->state(), QProcess::Running);
    stop(beside);
    stop(first);
    delete second;
}

TEST(OneInstance, AnotherUserCannotKeepTheProgramFromStarting) {
    if (::geteuid() != 0) {
        GTEST_SKIP() << "only the superuser can act as another user";
    }
    QTemporaryDir dir;
    const QString config = dir.filePath("Quintora.ini");
    {
        // Without a runtime folder the guard still works, in a folder of the user's own.
        NoRuntimeFolder session;
        SingleInstance first(config);
        EXPECT_FALSE(first.handOver());
        const QString socket = SingleInstance::socketPath(config);
        EXPECT_TRUE(socket.startsWith(session.path() + "/")) << socket.toStdString();
        EXPECT_EQ(QFileInfo(QFileInfo(socket).path()).permissions() &
                      (QFile::ReadOther | QFile::WriteOther | QFile::ExeOther | QFile::ReadGroup |
                       QFile::WriteGroup | QFile::ExeGroup),
                  QFile::Permissions());
        SingleInstance second(config);
        EXPECT_TRUE(second.handOver());
    }
    NoRuntimeFolder session;
    const QString user = QString::fromLocal8Bit(qgetenv("USER"));
    // Where the socket was put when the session had no runtime folder.
    const QString canonical = QDir(dir.path()).canonicalPath() + "/Quintora.ini";
    const QByteArray hash =
        QCryptographicHash::hash(canonical.toUtf8(), QCryptographicHash::Sha1).toHex().left(16);
    QStringList folders;
    for (const QString& name : {user, QStringLiteral("root")}) {
        folders << session.path() + "/runtime-" + name;
    }
    folders << session.path() + QStringLiteral("/quintora-%1").arg(::geteuid());
    const QString oldSocket = session.path() + "/quintora-" + QString::fromLatin1(hash);
    OtherUser other(folders, {oldSocket});
    ASSERT_TRUE(QFileInfo(oldSocket).exists());
    ASSERT_EQ(QFileInfo(folders.last()).ownerId(), 65534u);
    SingleInstance first(config);
    EXPECT_FALSE(first.handOver());
}

TEST(OneInstance, ConnectionsThatSendNothingAreDroppedAndOnlyAFewMayWait) {
    RuntimeFolder runtime;
    QTemporaryDir dir;
    const QString config = dir.filePath("Quintora.ini");
    ManualClock clock;
    SingleInstance first(config, &clock);
    ASSERT_FALSE(first.handOver());
    std::vector<std::unique_ptr<QLocalSocket>> idle;
    const auto connected = [&idle] {
        return std::count_if(idle.begin(), idle.end(), [](const auto& s) {
            return s->state() == QLocalSocket::ConnectedState;
        });
    };
    for (int i = 0; i < SingleInstance::kMaxWaiting + 5; ++i) {
        idle.push_back(std::make_unique<QLocalSocket>());
        idle.back()->connectToServer(SingleInstance::socketPath(config));
        ASSERT_TRUE(idle.back()->waitForConnected(5000));
    }
    // Those beyond the few are closed at once, the others once their time is up.
    EXPECT_TRUE(QTest::qWaitFor([&] { return connected() == SingleInstance::kMaxWaiting; }, 5000))
        << connected();
    clock.advance(SingleInstance::kIdleMs + 1);
    EXPECT_TRUE(QTest::qWaitFor([&] { return connected() == 0; }, 5000)) << connected();

    // A later start is still answered.
    QSignalSpy asked(&first, &SingleInstance::activationRequested);
    SingleInstance later(config);
    EXPECT_TRUE(later.handOver());
    EXPECT_TRUE(asked.wait(5000));
}
