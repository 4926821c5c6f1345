// The real program with "Livella il volume" ticked plays two backing tracks 12 LU
// apart one after the other through --audio-out: in the recording they are within
// 1 LU of each other and no sample passes the ceiling. On a private X display,
// played with keys; skipped without Xvfb or xdotool.
#include <ebur128.h>
#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>
#include <algorithm>
#include <cmath>
#include <cstring>
#include <vector>

#include "app/showkeeper.h"
#include "levelling.h"
#include "support/realprogram.h"
#include "support/testaudio.h"
#include "support/testlibrary.h"

namespace {

// The 16-bit stereo samples --audio-out has written so far.
std::vector<qint16> recorded(const QString& wav) {
    QFile f(wav);
    if (!f.open(QIODevice::ReadOnly)) {
        return {};
    }
    const QByteArray bytes = f.readAll().mid(44);
    std::vector<qint16> out(std::size_t(bytes.size()) / 2);
    std::memcpy(out.data(), bytes.constData(), out.size() * 2);
    return out;
}

// The stretches of sound (stereo frames [begin, end)) parted by a quarter second of
// silence or more.
std::vector<std::pair<std::size_t, std::size_t>> stretches(const std::vector<qint16>& s) {
    std::vector<std::pair<std::size_t, std::size_t>> out;
    const std::size_t frames = s.size() / 2;
    std::size_t quiet = 0;
    for (std::size_t i = 0; i < frames; ++i) {
        if (s[2 * i] != 0 || s[2 * i + 1] != 0) {
            if (out.empty() || quiet >= 44100 / 4) {
                out.push_back({i, i + 1});
            }
            out.back().second = i + 1;
            quiet = 0;
        } else {
            ++quiet;
        }
    }
    return out;
}

double loudness(const std::vector<qint16>& s, std::size_t begin, std::size_t end) {
    ebur128_state* st = ebur128_init(2, 44100, EBUR128_MODE_I);
    ebur128_add_frames_short(st, s.data() + 2 * begin, end - begin);
    double lufs = 0;
    ebur128_loudness_global(st, &lufs);
    ebur128_destroy(&st);
    return lufs;
}

}  // namespace

TEST(EvenLoudnessBlackBox, TwoTracks12LuApartSoundWithin1LuAndUnderTheCeiling) {
    if (!RealProgram::missingTools().isEmpty()) {
        GTEST_SKIP() << RealProgram::missingTools().toStdString();
    }
    RealStage stage;
    ASSERT_TRUE(stage.start()) << "Xvfb did not start";
    Harness& files = stage.files;
    levelling::switchOn(files);
    testaudio::writeMp3(files.workDir() + "MP3A/cielo.mp3", 4 * 44100, testaudio::noise(0.5f));
    testaudio::writeMp3(files.workDir() + "MP3B/duna.mp3", 4 * 44100,
                        testaudio::noise(0.5f / 3.98f));
    {
        QFile seed(ShowKeeper::statePath(files.configPath()));
        ASSERT_TRUE(seed.open(QIODevice::WriteOnly));
        seed.write("Quintora ripresa 1\nlista=lista 0\ncollegato=1\n");
    }
    const QString wav = files.path("registrato.wav");
    RealProgram program(stage.display, stage.runtime.path(),
                        {"--config", files.configPath(), "--port", "virtual", "--audio-out", wav});
    ASSERT_TRUE(program.findWindow());
    // The measures reach the library file in the background (at the lowest priority:
    // slow while the machine is busy).
    const auto measured = [&] {
        return !levelling::stored(files, "cielo.mp3").isEmpty() &&
               !levelling::stored(files, "duna.mp3").isEmpty();
    };
    for (int minute = 0; minute < 5 && !measured(); ++minute) {
        waitFor(measured);
    }
    ASSERT_TRUE(measured());
    EXPECT_NEAR(levelling::stored(files, "cielo.mp3").toDouble() -
                    levelling::stored(files, "duna.mp3").toDouble(),
                12, 0.5);
    for (const char* title : {"c", "d"}) {
        program.key("F8");
        program.key(title);  // the title list finds the song
        program.key("Escape");
        QTest::qWait(300);
        // Three seconds of the track, stopped before its end (which would go on to
        // the next song of the list).
        const std::size_t before = recorded(wav).size();
        program.key("Return");
        ASSERT_TRUE(waitFor([&] { return recorded(wav).size() > before + 3 * 44100 * 2; }));
        program.key("space");
        QTest::qWait(500);
    }
    const std::vector<qint16> s = recorded(wav);
    const auto parts = stretches(s);
    ASSERT_EQ(parts.size(), 2u);
    // Two seconds of each track, clear of its start and its end.
    const double first = loudness(s, parts[0].first + 22050, parts[0].first + 5 * 22050);
    const double second = loudness(s, parts[1].first + 22050, parts[1].first + 5 * 22050);
    EXPECT_NEAR(first, second, 1.0);
    const auto peak = *std::max_element(
        s.begin(), s.end(), [](qint16 a, qint16 b) { return std::abs(int(a)) < std::abs(int(b)); });
    EXPECT_LE(std::abs(int(peak)), int(32768 * std::pow(10.0, -1 / 20.0)));
}
