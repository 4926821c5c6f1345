// A sound device pulled out mid-song (or its sound server restarted): the show
// waits for it without a modal box, and when it is back the sound goes on from
// where the audience stopped hearing it.
#include <gtest/gtest.h>

#include <QLabel>
#include <algorithm>
#include <cmath>

#include "playback/outputwatch.h"
#include "stage/stagewindow.h"
#include "support/harness.h"
#include "support/testaudio.h"
#include "support/testlibrary.h"

namespace {

constexpr int kChannels = 2;
constexpr std::size_t kRise = 256;  // the fade-in's frames

// The first frame with any sound in it.
std::size_t firstSound(const std::vector<float>& v) {
    const auto it = std::find_if(v.begin(), v.end(), [](float s) { return s != 0.0f; });
    return std::size_t(it - v.begin()) / kChannels;
}

std::vector<float> frames(const std::vector<float>& v, std::size_t from, std::size_t count) {
    from = std::min(from * kChannels, v.size());
    const std::size_t end = std::min(from + count * kChannels, v.size());
    return {v.begin() + std::ptrdiff_t(from), v.begin() + std::ptrdiff_t(end)};
}

}  // namespace

TEST(OutputLoss, TheSoundGoesOnFromWhereItStoppedWhenTheDeviceIsBack) {
    // A groove on its loop, and an MP3 (one second long) near its end.
    for (const char* title : {"Alba", "Cielo"}) {
        SCOPED_TRACE(title);
        Harness plain;
        Harness pulled;
        for (Harness* h : {&plain, &pulled}) {
            TestLibrary::ready(*h, QString::fromLatin1(title));
            TestLibrary::key(*h, Qt::Key_F6);
            TestLibrary::tapPedal1(*h);
        }
        auto* stage = pulled.window().findChild<StageWindow*>(QStringLiteral("Palco"));
        ASSERT_NE(stage, nullptr);
        auto line = [&] { return pulled.find<QLabel>("AvvisoPedaliera")->text(); };
        const std::vector<float> expected = plain.listen(400);
        const std::size_t heard = pulled.listen(150).size() / kChannels;

        pulled.unplugOutput();
        pulled.advance(2500);
        EXPECT_TRUE(pulled.prompter.texts().isEmpty()) << "no box to close mid-show";
        EXPECT_EQ(line(), OutputWatch::awayText());
        EXPECT_EQ(stage->alertText(), OutputWatch::awayText());
        EXPECT_TRUE(pulled.window().state().Groove1Attivo) << "the song is still on";

        pulled.plugOutput();
        const std::vector<float> after = pulled.listen(1300);
        const std::size_t back = firstSound(after);
        EXPECT_LE(back, std::size_t(44100 * 1.05)) << "started again within a look";
        EXPECT_EQ(line(), OutputWatch::backText());
        EXPECT_EQ(stage->alertText(), QString());
        // Rising from silence, not jumping in mid-wave...
        EXPECT_LT(testaudio::peak(frames(after, back, 16)), 0.05f);
        // ...then exactly the sound that would have followed the last frame heard.
        // (The first frame back may be a zero of the wave: a frame either side is looked at.)
        const std::vector<float> wanted = frames(expected, heard + kRise, 4410);
        int fewest = 4410;
        std::vector<float> resumed;
        for (std::size_t at = back + kRise - 2; at <= back + kRise; ++at) {
            const std::vector<float> here = frames(after, at, 4410);
            ASSERT_EQ(here.size(), wanted.size());
            if (testaudio::mismatches(here, wanted) < fewest) {
                fewest = testaudio::mismatches(here, wanted);
                resumed = here;
            }
        }
        EXPECT_EQ(fewest, 0);
        EXPECT_GT(testaudio::peak(resumed), 0.3f);
    }
}
