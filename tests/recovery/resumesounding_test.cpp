// "Riprendi suonando dopo un arresto": restarted by its watcher after a crash, the
// program sounds again from where the audience stopped hearing it.
#include <gtest/gtest.h>

#include <QLabel>
#include <QPushButton>
#include <cmath>

#include "app/showkeeper.h"
#include "config/configcodec.h"
#include "config/configfile.h"
#include "instance/watcher.h"
#include "playback/audioengine.h"
#include "playback/mediaplayer.h"
#include "recovery/showstate.h"
#include "statefile.h"
#include "support/harness.h"
#include "support/testaudio.h"
#include "support/testlibrary.h"

namespace {

void tickResume(Harness& h) {
    ConfigData d = ConfigCodec::read(ConfigFile::read(h.configPath()).bytes).data;
    d.resumeSounding = -1;
    ASSERT_TRUE(ConfigFile::save(h.configPath(), d).isEmpty());
}

// This test's process, as the watcher starts the program again after a crash.
struct RestartedByTheWatcher {
    explicit RestartedByTheWatcher(bool on) {
        if (on) {
            qputenv(Watcher::kRestartVariable, "1");
        }
    }
    ~RestartedByTheWatcher() { qunsetenv(Watcher::kRestartVariable); }
};

// How far the sound is from the groove file played from frame from on, whatever
// the level it plays at (the volume's own ramp included: the first frames are
// left out).
double offTheGroove(const std::vector<float>& heard, const std::vector<float>& file,
                    std::int64_t from) {
    const std::size_t frames = file.size() / 2;
    double dot = 0;
    double norm = 0;
    for (std::size_t i = 512; i < heard.size() / 2; ++i) {
        const float f = file[2 * ((std::size_t(from) + i) % frames)];
        dot += heard[2 * i] * f;
        norm += f * f;
    }
    const double gain = norm > 0 ? dot / norm : 0;
    double worst = 0;
    for (std::size_t i = 512; i < heard.size() / 2; ++i) {
        const float f = file[2 * ((std::size_t(from) + i) % frames)];
        worst = std::max(worst, std::fabs(heard[2 * i] - gain * f));
    }
    return gain > 0.1 ? worst : 1.0;
}

}  // namespace

TEST(ResumeSounding, OnlyTheWatchersRestartSoundsAgainFromWhereItWas) {
    struct Case {
        const char* title;
        bool restarted;
    };
    for (const Case c : {Case{"Alba", true}, Case{"Cielo", true}, Case{"Alba", false}}) {
        SCOPED_TRACE(std::string(c.title) + (c.restarted ? " restarted" : " started by hand"));
        const QString title = QString::fromLatin1(c.title);
        const bool mp3 = title == QLatin1String("Cielo");
        QByteArray left;
        {
            Harness crashed;
            TestLibrary::install(crashed);
            tickResume(crashed);
            crashed.keepShow = true;
            crashed.start();
            TestLibrary::connect(crashed);
            TestLibrary::prepare(crashed, title);
            crashed.advance(2500);
            TestLibrary::tapPedal1(crashed);
            // The one-second MP3 is kept before its end; the groove after a pass.
            crashed.advance(mp3 ? 100 : 1500);
            left = readState(crashed);
        }
        const std::optional<ShowState> kept = ShowState::decode(left);
        ASSERT_TRUE(kept);
        ASSERT_EQ(kept->sounding, 1);
        ASSERT_GT(kept->soundAt, 0);

        const RestartedByTheWatcher watcher(c.restarted);
        Harness h;
        TestLibrary::install(h);
        tickResume(h);
        writeState(h, left);
        h.keepShow = true;
        h.start();
        const double placeAtStart = h.player().position();
        const std::vector<float> heard = h.listen(200);
        auto* line = h.window().findChild<QLabel*>("Ripresa");
        ASSERT_NE(line, nullptr);
        if (!c.restarted) {
            EXPECT_EQ(testaudio::peak(heard), 0.0f);
            EXPECT_EQ(line->text(), ShowKeeper::resumingText(title));
            continue;
        }
        EXPECT_EQ(line->text(), ShowKeeper::soundingAgainText(title));
        EXPECT_TRUE(h.window().state().Groove1Attivo) << "the pedal's sound, as a press gives";
        // Rising from silence rather than jumping in mid-wave.
        EXPECT_LT(testaudio::peak(std::vector<float>(heard.begin(), heard.begin() + 16)), 0.05f);
        if (mp3) {
            EXPECT_NEAR(placeAtStart, kept->soundAt, 0.01);
        } else {
            const std::vector<float> file = testaudio::decode(h.workDir() + "ROK/ROK001.wav");
            ASSERT_FALSE(file.empty());
            EXPECT_LT(offTheGroove(heard, file, std::int64_t(kept->soundAt)), 1e-3);
        }
        // Pedal 1 stops it, as any sound it started.
        TestLibrary::tapPedal1(h);
        EXPECT_FALSE(h.window().state().Groove1Attivo);
    }
}

TEST(ResumeSounding, TwoCrashesInAMinuteAreToldAtTheNextStart) {
    Harness h;
    TestLibrary::install(h);
    h.writeFile("config/" + QFileInfo(Watcher::notePath(h.configPath())).fileName(), "x\n");
    EXPECT_TRUE(QFileInfo::exists(Watcher::notePath(h.configPath())));
    h.keepShow = true;
    h.start();
    EXPECT_EQ(h.prompter.texts(), QStringList{Watcher::gaveUpText()});
    EXPECT_FALSE(QFileInfo::exists(Watcher::notePath(h.configPath())));
}
