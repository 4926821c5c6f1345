// The real program under its watcher ("Riprendi suonando dopo un arresto"), killed
// with SIGKILL mid-song: the sound is back within two seconds where the show kept
// it, and a second kill within a minute is not restarted. It runs on a private X
// display (Xvfb) and is played with keys typed by xdotool; skipped without them.
#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QFileInfo>
#include <algorithm>
#include <cmath>
#include <csignal>
#include <cstdio>
#include <vector>

#include "app/showkeeper.h"
#include "config/configcodec.h"
#include "config/configfile.h"
#include "instance/watcher.h"
#include "recordedwav.h"
#include "recovery/showstate.h"
#include "support/realprogram.h"
#include "support/testaudio.h"

namespace {

constexpr int kRate = 44100;
constexpr int kWindow = kRate / 5;  // frames a level is measured over

// One tone on both channels; the left one's level rises through the file while the
// right one's stays, so their ratio says which frame sounds, whatever the volume.
testaudio::Signal marked(int frames) {
    return [frames](int i, int c) {
        const float tone = float(std::sin(2 * M_PI * 440.0 * i / kRate));
        return c == 1 ? 0.25f * tone : (0.05f + 0.4f * float(i) / float(frames)) * tone;
    };
}

// The frame of the marked file sounding in the middle of the window at frame at.
double markedFrame(const QByteArray& pcm, std::size_t at, int frames) {
    const auto* s = reinterpret_cast<const qint16*>(pcm.constData());
    double left = 0;
    double right = 0;
    for (std::size_t i = at; i < at + kWindow; ++i) {
        left += double(s[2 * i]) * s[2 * i];
        right += double(s[2 * i + 1]) * s[2 * i + 1];
    }
    const double ratio = right > 0 ? std::sqrt(left / right) : 0;
    return (ratio * 0.25 - 0.05) / 0.4 * frames;
}

std::size_t firstSound(const QByteArray& pcm) {
    const auto* s = reinterpret_cast<const qint16*>(pcm.constData());
    const std::size_t count = std::size_t(pcm.size()) / 2;
    std::size_t i = 0;
    while (i < count && s[i] == 0) {
        ++i;
    }
    return i / 2;
}

}  // namespace

TEST(Watched, AKilledProgramSoundsAgainWithinTwoSecondsWhereTheShowWasKept) {
    if (!RealProgram::missingTools().isEmpty()) {
        GTEST_SKIP() << RealProgram::missingTools().toStdString();
    }
    struct Case {
        const char* title;
        int row;     // in the title list
        int frames;  // of its file
        bool loops;  // a groove: the place is a frame of its loop
        const char* file;
    };
    for (const Case c : {Case{"Alba", 0, 4 * kRate, true, "ROK/ROK001.wav"},
                         Case{"Cielo", 2, 20 * kRate, false, "MP3A/cielo.mp3"}}) {
        SCOPED_TRACE(c.title);
        RealStage stage;
        ASSERT_TRUE(stage.start()) << "Xvfb did not start";
        Harness& files = stage.files;
        const QString path = files.workDir() + QString::fromLatin1(c.file);
        if (c.loops) {
            testaudio::writeWav(path, c.frames, marked(c.frames));
        } else {
            testaudio::writeMp3(path, c.frames, marked(c.frames));
        }
        ConfigData d = ConfigCodec::read(ConfigFile::read(files.configPath()).bytes).data;
        d.resumeSounding = -1;
        ASSERT_TRUE(ConfigFile::save(files.configPath(), d).isEmpty());
        const QString state = ShowKeeper::statePath(files.configPath());
        {
            // The box connected and the song highlighted: Esc prepares it, Enter plays.
            QFile seed(state);
            ASSERT_TRUE(seed.open(QIODevice::WriteOnly));
            seed.write(QStringLiteral("Quintora ripresa 1\nlista=lista 0\nevidenziato=%1\nriga=%2\n"
                                      "collegato=1\n")
                           .arg(QString::fromLatin1(c.title))
                           .arg(c.row)
                           .toUtf8());
        }
        const QString wav = files.path("suono.wav");
        RealProgram watched(
            stage.display, stage.runtime.path(),
            {"--config", files.configPath(), "--port", "virtual", "--audio-out", wav});
        ASSERT_TRUE(watched.findWindow());
        const qint64 first = watched.programPid();
        ASSERT_NE(first, watched.process().processId()) << "the watcher runs the program";
        watched.key("Escape");
        watched.key("Return");
        ASSERT_TRUE(waitFor([&] { return sounds(wav); })) << "the song never sounded";
        // A while into the song, with its place kept.
        ASSERT_TRUE(waitFor([&] {
            return std::size_t(samples(wav).size()) > 4 * (firstSound(samples(wav)) + 2 * kRate);
        }));
        ASSERT_TRUE(waitFor([&] { return readAll(state).contains("suona=1"); }));
        const qint64 before = QFileInfo(wav).size();
        ::kill(pid_t(first), SIGKILL);
        QElapsedTimer sinceKill;
        sinceKill.start();
        const std::optional<ShowState> kept = ShowState::decode(readAll(state));
        ASSERT_TRUE(kept && kept->sounding == 1 && kept->soundAt > 0)
            << readAll(state).toStdString();

        // Started again: its recording begins afresh.
        ASSERT_TRUE(waitFor([&] { return QFileInfo(wav).size() < before; }));
        const double openedMs = double(sinceKill.elapsed());
        ASSERT_TRUE(waitFor([&] {
            const QByteArray pcm = samples(wav);
            return sounds(wav) && std::size_t(pcm.size()) > 4 * (firstSound(pcm) + kRate);
        })) << "the sound never came back";
        const QByteArray pcm = samples(wav);
        const std::size_t back = firstSound(pcm);
        EXPECT_LE(openedMs + 1000.0 * double(back) / kRate, 2000.0)
            << "opened " << openedMs << " ms";
        // Where it sounds, a little after the fade-in, in three places: a groove's
        // wrap may fall inside one.
        const double keptFrame = c.loops ? kept->soundAt : kept->soundAt * kRate;
        // A groove's wrap may fall inside one window: the closest counts. An MP3's
        // coding blurs the levels a little: the middle one counts.
        std::vector<double> offs;
        for (int k = 1; k <= 3; ++k) {
            const std::size_t at = back + std::size_t(k) * kRate / 4;
            const double expected =
                std::fmod(keptFrame + double(at - back) + kWindow / 2, c.frames);
            double off = std::fabs(markedFrame(pcm, at, c.frames) - expected);
            if (c.loops) {
                off = std::min(off, c.frames - off);
            }
            offs.push_back(off);
        }
        std::sort(offs.begin(), offs.end());
        const double best = c.loops ? offs.front() : offs[1];
        std::printf("%s: sound back %.0f ms after the kill, %.0f ms from the kept place\n", c.title,
                    openedMs + 1000.0 * double(back) / kRate, 1000.0 * best / kRate);
        EXPECT_LE(best, 0.1 * kRate)
            << "the sound came back " << best / kRate << " s from where it was kept";

        // Killed again within the minute: not started a third time, and the next start
        // is told why.
        ASSERT_TRUE(watched.findWindow());
        const qint64 second = watched.programPid();
        ASSERT_NE(second, first);
        ::kill(pid_t(second), SIGKILL);
        EXPECT_TRUE(watched.process().waitForFinished(10000)) << "the watcher went on";
        EXPECT_TRUE(QFileInfo::exists(Watcher::notePath(files.configPath())));
    }
}
