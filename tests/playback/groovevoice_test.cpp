// The groove voice through an offline engine: sample-exact loops, clean replacements
// and stops, and the wave level.
#include <gtest/gtest.h>

#include <QTemporaryDir>

#include "playback/audioengine.h"
#include "playback/groovecache.h"
#include "playback/soundfilereader.h"
#include "support/testaudio.h"

using namespace testaudio;

namespace {

class GrooveVoiceTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir_.isValid());
        engine_ = testaudio::offlineEngine();
    }
    QString file(const QString& name) const { return dir_.filePath(name); }
    std::shared_ptr<const DecodedAudio> load(const QString& path) {
        return engine_->grooveCache().waitFor(path);
    }

    QTemporaryDir dir_;
    std::unique_ptr<AudioEngine> engine_;
};

std::vector<float> repeated(const std::vector<float>& sound, int frames) {
    std::vector<float> out;
    while (out.size() < std::size_t(frames) * 2) {
        out.insert(out.end(), sound.begin(), sound.end());
    }
    out.resize(std::size_t(frames) * 2);
    return out;
}

}  // namespace

TEST_F(GrooveVoiceTest, LoopPassesEqualCopiesOfTheDecodedFile) {
    // Odd lengths and odd render pieces, so wraps fall anywhere inside a period.
    const QString wav = writeWav(file("noise.wav"), 12347, noise(0.7f));
    const QString mp3 = writeMp3(file("noise.mp3"), 20011, noise(0.5f, 7));
    for (const QString& path : {wav, mp3}) {
        SCOPED_TRACE(path.toStdString());
        auto sound = load(path);
        ASSERT_TRUE(sound);
        const std::vector<float> decoded = decode(path);
        ASSERT_EQ(decoded, sound->samples);
        const int frames = int(sound->frames());
        engine_->playGroove(sound);
        const std::vector<float> out = render(*engine_, 5 * frames + 77, 333);
        EXPECT_EQ(mismatches(out, repeated(decoded, 5 * frames + 77)), 0);
        engine_->stopGroove();
        render(*engine_, 1000);
    }
}

TEST_F(GrooveVoiceTest, WavLengthsAreExactAndOtherFormatsAreConverted) {
    auto stereo = load(writeWav(file("a.wav"), 4410, sine(441, 0.5f)));
    ASSERT_TRUE(stereo);
    EXPECT_EQ(stereo->frames(), 4410);

    // A mono file sounds on both sides, with the file's own samples.
    auto mono = load(writeWav(file("mono.wav"), 1000, noise(0.5f), 44100, 1));
    ASSERT_TRUE(mono);
    ASSERT_EQ(mono->frames(), 1000);
    for (std::size_t i = 0; i < 2000; i += 2) {
        ASSERT_EQ(mono->samples[i], mono->samples[i + 1]);
    }
    EXPECT_GT(peak(mono->samples), 0.3f);

    // A file at 48000 Hz comes out at 44100 Hz with the same duration and pitch.
    // (sine() counts time at 44100 Hz: 441 "Hz" written at 48000 Hz is a 480 Hz tone.)
    auto fast = load(writeWav(file("48k.wav"), 48000, sine(441, 0.5f), 48000));
    ASSERT_TRUE(fast);
    EXPECT_NEAR(double(fast->frames()), 44100.0, 2.0);
    int cycles = 0;
    bool low = false;
    for (std::size_t i = 0; i < fast->samples.size(); i += 2) {
        if (fast->samples[i] < -0.25f) {
            low = true;
        } else if (low && fast->samples[i] > 0.25f) {
            low = false;
            ++cycles;
        }
    }
    EXPECT_NEAR(cycles, 480, 1);
}

TEST_F(GrooveVoiceTest, ReplaceAndStopNeverClick) {
    // 441 Hz fits 100 whole cycles in a second, so the loop itself is smooth. The
    // second groove starts at its crest: started at full level it would click.
    auto first = load(writeWav(file("a.wav"), 44100, sine(441, 0.8f)));
    auto second = load(writeWav(file("b.wav"), 44100, sine(441, 0.8f, 1.5707963)));
    ASSERT_TRUE(first && second);
    const float smooth = 0.8f * 2 * 3.1416f * 441 / 44100;  // steepest step of the sines
    const float limit = smooth + 0.02f;

    engine_->playGroove(first);
    std::vector<float> out = render(*engine_, 1000 + 37);
    engine_->playGroove(second);
    std::vector<float> more = render(*engine_, 2000);
    out.insert(out.end(), more.begin(), more.end());
    EXPECT_LT(largestStep(out), limit);

    // Once the crossfade is over, only the second groove sounds, in step.
    const std::vector<float> expected(second->samples.begin() + 1000 * 2,
                                      second->samples.begin() + 2000 * 2);
    const std::vector<float> tail(more.begin() + 1000 * 2, more.end());
    EXPECT_EQ(mismatches(tail, expected), 0);

    engine_->stopGroove();
    const std::vector<float> stopped = render(*engine_, 2000);
    std::vector<float> joined(more.end() - 20, more.end());
    joined.insert(joined.end(), stopped.begin(), stopped.end());
    EXPECT_LT(largestStep(joined), limit);
    EXPECT_EQ(peak(stopped, 300), 0.0f);  // silent within a few milliseconds
    EXPECT_FALSE(engine_->grooveSounding());
}

TEST_F(GrooveVoiceTest, RapidReplacementsStayCleanAndEndOnTheLastGroove) {
    std::vector<std::shared_ptr<const DecodedAudio>> grooves;
    for (int i = 0; i < 6; ++i) {
        grooves.push_back(load(writeWav(file(QStringLiteral("g%1.wav").arg(i)), 4400,
                                        sine(441 * (1 + i % 3), 0.3f, i))));
        ASSERT_TRUE(grooves.back());
    }
    std::vector<float> out;
    for (const auto& groove : grooves) {
        engine_->playGroove(groove);
        const std::vector<float> piece = render(*engine_, 40, 40);
        out.insert(out.end(), piece.begin(), piece.end());
    }
    const std::vector<float> rest = render(*engine_, 4400);
    out.insert(out.end(), rest.begin(), rest.end());
    EXPECT_LT(largestStep(out), 0.3f);
    // The last groove began 40 frames before the rest: from then on it sounds alone.
    EXPECT_EQ(mismatches(std::vector<float>(rest.begin() + 400 * 2, rest.begin() + 4000 * 2),
                         std::vector<float>(grooves.back()->samples.begin() + 440 * 2,
                                            grooves.back()->samples.begin() + 4040 * 2)),
              0);
}

TEST_F(GrooveVoiceTest, WaveLevelScalesTheGrooveOnly) {
    auto groove = load(writeWav(file("g.wav"), 8820, noise(0.5f)));
    const QString track = writeMp3(file("t.mp3"), 44100, sine(300, 0.5f));
    ASSERT_TRUE(groove);

    // Level 0 set while silent: the groove never makes a sound.
    engine_->setGrooveLevel(0);
    engine_->playGroove(groove);
    EXPECT_EQ(peak(render(*engine_, 20000)), 0.0f);

    // ... and the track plays exactly as it does alone.
    engine_->loadTrack(track);
    engine_->playTrack();
    const std::vector<float> mixed = render(*engine_, 30000);
    AudioOptions options;
    options.offline = true;
    auto alone = makeAudioEngine(options);
    alone->loadTrack(track);
    alone->playTrack();
    EXPECT_EQ(mismatches(mixed, render(*alone, 30000)), 0);
    EXPECT_GT(peak(mixed), 0.3f);
    engine_->stopTrack();
    engine_->stopGroove();
    render(*engine_, 1000);

    // Half the level, half the amplitude, once the glide is over.
    engine_->setGrooveLevel(32767);
    engine_->playGroove(groove);
    const std::vector<float> half = render(*engine_, 4000);
    for (std::size_t i = 0; i < half.size(); ++i) {
        ASSERT_NEAR(half[i], groove->samples[i] * (32767.0f / 65535.0f), 1e-6f);
    }

    // The end of the muted preload: stop, and the level comes back at once. The
    // groove fading out must stay silent.
    engine_->stopGroove();
    render(*engine_, 1000);
    engine_->setGrooveLevel(0);
    engine_->playGroove(groove);
    EXPECT_EQ(peak(render(*engine_, 3000)), 0.0f);
    engine_->stopGroove();
    engine_->setGrooveLevel(65534);
    EXPECT_EQ(peak(render(*engine_, 3000)), 0.0f);
    engine_->playGroove(groove);
    render(*engine_, 1000);

    // A level change while it sounds glides instead of jumping.
    const float before = largestStep(render(*engine_, 2000));
    engine_->setGrooveLevel(65535);
    EXPECT_LT(largestStep(render(*engine_, 2000)), before * 2.5f);
}
