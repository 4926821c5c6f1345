// MediaPlayer1 on an offline engine: the load sequence, position, end, rewind,
// volume, and files that cannot be played.
#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <cmath>

#include "playback/audioengine.h"
#include "playback/enginemediaplayer.h"
#include "support/testaudio.h"

using namespace testaudio;

namespace {

class MediaPlayerTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir_.isValid());
        engine_ = testaudio::offlineEngine();
        player_ = std::make_unique<EngineMediaPlayer>(*engine_);
    }
    // The program's load sequence, as song preparation runs it.
    void loadSequence(const QString& path, int volume = 0) {
        player_->setShowDisplay(false);
        player_->setShowControls(false);
        player_->stop();
        player_->setAutoStart(false);
        player_->setFileName(QStringLiteral(" "));
        player_->setFileName(path);
        player_->stop();
        player_->setPlayCount(1);
        player_->setPosition(0);
        player_->setVolume(volume);
        player_->setShowDisplay(false);
        player_->setShowControls(false);
    }
    QString file(const QString& name) const { return dir_.filePath(name); }

    QTemporaryDir dir_;
    std::unique_ptr<AudioEngine> engine_;
    std::unique_ptr<EngineMediaPlayer> player_;
};

}  // namespace

TEST_F(MediaPlayerTest, LoadedTrackWaitsAtItsStartAndPlaysTheFileExactly) {
    const QString mp3 = writeMp3(file("song.mp3"), 30000, noise(0.5f));
    loadSequence(mp3);
    EXPECT_FALSE(player_->isPlaying());
    EXPECT_EQ(player_->fileName(), mp3);
    EXPECT_EQ(peak(render(*engine_, 5000)), 0.0f);
    EXPECT_EQ(player_->position(), 0.0);

    player_->play();
    EXPECT_TRUE(player_->isPlaying());
    const std::vector<float> out = render(*engine_, 10000, 441);
    EXPECT_DOUBLE_EQ(player_->position(), 10000 / 44100.0);
    const std::vector<float> decoded = decode(mp3);
    ASSERT_GT(decoded.size(), 20000u);
    EXPECT_EQ(mismatches(out, std::vector<float>(decoded.begin(), decoded.begin() + 20000)), 0);
}

TEST_F(MediaPlayerTest, PositionMovesWhilePlayingAndHoldsExactlyAfterTheEnd) {
    const QString mp3 = writeMp3(file("short.mp3"), 11025, sine(440, 0.5f));
    const double length = double(decode(mp3).size() / 2) / 44100.0;
    loadSequence(mp3);
    player_->play();
    double last = player_->position();
    for (int i = 0; i < 5; ++i) {
        render(*engine_, 1000);
        EXPECT_GT(player_->position(), last);
        last = player_->position();
    }
    render(*engine_, 20000);
    const double end = player_->position();
    EXPECT_DOUBLE_EQ(end, length);
    EXPECT_FALSE(player_->isPlaying());
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(peak(render(*engine_, 1000)), 0.0f);
        EXPECT_EQ(player_->position(), end);
    }

    // Playing again after the end starts from the top.
    player_->play();
    EXPECT_TRUE(player_->isPlaying());
    render(*engine_, 1000);
    EXPECT_DOUBLE_EQ(player_->position(), 1000 / 44100.0);
}

TEST_F(MediaPlayerTest, StopKeepsThePlaceAndRewindingReturnsToTheTop) {
    const QString mp3 = writeMp3(file("song.mp3"), 44100, noise(0.4f));
    loadSequence(mp3);
    player_->play();
    const std::vector<float> first = render(*engine_, 4000);

    player_->stop();
    EXPECT_FALSE(player_->isPlaying());
    std::vector<float> fade = render(*engine_, 1000);
    const double held = player_->position();
    EXPECT_GT(held, 4000 / 44100.0);
    EXPECT_EQ(peak(fade, 300), 0.0f);
    engine_->advance(3000);
    EXPECT_EQ(player_->position(), held);

    // Resuming carries on from the place, with a short fade-in.
    player_->play();
    render(*engine_, 500);
    EXPECT_DOUBLE_EQ(player_->position(), held + 500 / 44100.0);

    // Stop, position 0, play: the track starts again from its first sample.
    player_->stop();
    player_->setPosition(0);
    EXPECT_EQ(player_->position(), 0.0);
    render(*engine_, 2000);
    EXPECT_EQ(player_->position(), 0.0);
    player_->play();
    EXPECT_EQ(mismatches(render(*engine_, 4000), first), 0);
}

TEST_F(MediaPlayerTest, VolumeTakesHundredthsOfADecibelAndLeavesGroovesAlone) {
    const QString mp3 = writeMp3(file("song.mp3"), 20000, noise(0.5f));
    const std::vector<float> decoded = decode(mp3);
    loadSequence(mp3, -2000);
    EXPECT_EQ(player_->volume(), -2000);
    player_->play();
    const std::vector<float> quiet = render(*engine_, 8000);
    for (std::size_t i = 0; i < quiet.size(); ++i) {
        ASSERT_NEAR(quiet[i], decoded[i] * 0.1f, 1e-6f);  // -20 dB is a tenth
    }
    EXPECT_EQ(engine_->grooveLevel(), 65535);
}

TEST_F(MediaPlayerTest, ChangingTracksWhilePlayingDoesNotClick) {
    const QString a = writeMp3(file("a.mp3"), 44100, sine(441, 0.8f));
    // (A sine that starts at its crest would not do for the second track: the MP3
    // encoder itself rings at such a start.)
    const QString b = writeMp3(file("b.mp3"), 44100, sine(441, 0.5f));
    loadSequence(a);
    player_->play();
    std::vector<float> out = render(*engine_, 10037);
    loadSequence(b);
    EXPECT_FALSE(player_->isPlaying());
    EXPECT_EQ(player_->position(), 0.0);
    player_->play();
    const std::vector<float> more = render(*engine_, 3000);
    out.insert(out.end(), more.begin(), more.end());
    EXPECT_LT(largestStep(out), 0.8f * 2 * 3.1416f * 441 / 44100 + 0.03f);
}

TEST_F(MediaPlayerTest, FilesThatCannotBePlayedStayQuietAndNeverEnd) {
    // Nothing loaded yet: play does nothing (and does not wait for a stream).
    player_->play();
    EXPECT_EQ(peak(render(*engine_, 3000)), 0.0f);
    EXPECT_FALSE(player_->isPlaying());

    const QString missing = file("missing.mp3");
    const QString text = writeBytes(file("notes.mp3"), "not a sound file at all\n");
    const QString empty = writeBytes(file("empty.mp3"), QByteArray());
    for (const QString& path : {missing, text, empty, dir_.path(), QString()}) {
        SCOPED_TRACE(path.toStdString());
        loadSequence(path);
        player_->play();
        EXPECT_EQ(peak(render(*engine_, 3000)), 0.0f);
        EXPECT_EQ(player_->position(), 0.0);  // 0 is never taken as the end of a song
        EXPECT_FALSE(player_->isPlaying());
        EXPECT_EQ(player_->duration(), 0.0);
    }
    // A good file afterwards plays normally.
    loadSequence(writeMp3(file("good.mp3"), 20000, sine(440, 0.5f)));
    player_->play();
    EXPECT_GT(peak(render(*engine_, 3000)), 0.3f);
}
