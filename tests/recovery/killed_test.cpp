// The real program, killed with SIGKILL while a groove sounds, comes back where it
// stood. It runs on a private X display (Xvfb) and is played with keys typed by
// xdotool, as a keyboard sends them; skipped without Xvfb or xdotool.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <filesystem>

#include "app/showkeeper.h"
#include "recordedwav.h"
#include "support/harness.h"
#include "support/realprogram.h"
#include "support/testlibrary.h"

namespace {

std::filesystem::file_time_type modified(const QString& path) {
    std::error_code error;
    return std::filesystem::last_write_time(path.toStdString(), error);
}

}  // namespace

TEST(ResumeKilled, TheRealProgramKilledDuringAGrooveComesBackPreparedConnectedAndSilent) {
    if (!RealProgram::missingTools().isEmpty()) {
        GTEST_SKIP() << RealProgram::missingTools().toStdString();
    }
    RealStage stage;
    ASSERT_TRUE(stage.start()) << "Xvfb did not start";
    Harness& files = stage.files;
    const QString state = ShowKeeper::statePath(files.configPath());
    const QString first = files.path("primo.wav");
    const QString second = files.path("secondo.wav");
    const QStringList common = {"--config", files.configPath(), "--port", "virtual"};

    {
        // The box connected, the title list shown (its first song is Alba): Esc
        // prepares it, Enter starts its groove.
        QFile seed(state);
        ASSERT_TRUE(seed.open(QIODevice::WriteOnly));
        seed.write("Quintora ripresa 1\nlista=lista 0\ncollegato=1\n");
    }
    RealProgram running(stage.display, stage.runtime.path(),
                        common + QStringList{"--audio-out", first});
    ASSERT_TRUE(running.findWindow());
    running.key("Escape");
    ASSERT_TRUE(waitFor([&] { return readAll(state).contains("titolopreparato=Alba\n"); }))
        << readAll(state).toStdString();
    running.key("Return");
    ASSERT_TRUE(waitFor([&] { return sounds(first); })) << "the groove never sounded";
    const auto before = modified(state);
    running.killHard();
    ASSERT_TRUE(QFileInfo::exists(state));

    RealProgram again(stage.display, stage.runtime.path(),
                      common + QStringList{"--audio-out", second});
    ASSERT_TRUE(again.findWindow());
    // Resumed: the restarted program has written where it stands.
    ASSERT_TRUE(waitFor([&] { return modified(state) != before; }));
    const QByteArray resumed = readAll(state);
    EXPECT_TRUE(resumed.contains("titolopreparato=Alba\n")) << resumed.toStdString();
    EXPECT_TRUE(resumed.contains("collegato=1\n")) << resumed.toStdString();
    EXPECT_TRUE(resumed.contains("lista=lista%200\n")) << resumed.toStdString();
    // A second and a half of its sound, all of it silence.
    ASSERT_TRUE(waitFor([&] { return samples(second).size() > 44100 * 4 * 3 / 2; }));
    EXPECT_FALSE(sounds(second));
    // Prepared: Enter starts the groove at once.
    again.key("Return");
    EXPECT_TRUE(waitFor([&] { return sounds(second); }));
    EXPECT_EQ(again.process().state(), QProcess::Running);
}
