// One Quintora per configuration file: a second start hands over to the first.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include "instance/singleinstance.h"

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
