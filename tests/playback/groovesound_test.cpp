// The groove sound service (SuonaGroove1/2, FermaGroove) and Volume1 on the engine:
// files that cannot be played, cached starts, pending starts, the wave level.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QFile>
#include <QTemporaryDir>
#include <chrono>
#include <thread>

#include "playback/audioengine.h"
#include "playback/audiosource.h"
#include "playback/enginegroovesound.h"
#include "playback/groovecache.h"
#include "playback/wavevolume.h"
#include "playback/wavevolumebinder.h"
#include "support/pulledoutput.h"
#include "support/testaudio.h"

using namespace testaudio;

namespace {

class GrooveSoundTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir_.isValid());
        engine_ = testaudio::offlineEngine();
        sound_ = std::make_unique<EngineGrooveSound>(*engine_);
    }
    QString file(const QString& name) const { return dir_.filePath(name); }

    QTemporaryDir dir_;
    std::unique_ptr<AudioEngine> engine_;
    std::unique_ptr<EngineGrooveSound> sound_;
};

// Runs the GUI thread's events until done() holds (or a generous bound passes).
template <typename Done>
void processEventsUntil(Done done) {
    for (int i = 0; i < 5000 && !done(); ++i) {
        QCoreApplication::processEvents();
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    QCoreApplication::processEvents();
}

}  // namespace

TEST_F(GrooveSoundTest, FilesThatCannotBePlayedAreSilentAndHarmless) {
    const QString good = writeWav(file("good.wav"), 22050, sine(441, 0.5f));
    QFile goodFile(good);
    ASSERT_TRUE(goodFile.open(QIODevice::ReadOnly));
    const QByteArray bytes = goodFile.readAll();
    const QString headerOnly = writeBytes(file("header.wav"), bytes.left(44));
    const QString empty = writeWav(file("empty.wav"), 0, sine(441, 0.5f));
    const QString text = writeBytes(file("text.wav"), "RIFF? no, just words\n");
    const QString garbage = writeBytes(
        file("garbage.wav"), QByteArray("RIFF\xff\xff\xff\x7fWAVEfmt ") + QByteArray(4000, '\x7f'));
    for (const QString& path :
         {file("missing.wav"), headerOnly, empty, text, garbage, dir_.path(), QString()}) {
        SCOPED_TRACE(path.toStdString());
        sound_->play(good);
        render(*engine_, 1000);
        sound_->play(path);  // replaces the good groove with nothing
        EXPECT_EQ(peak(render(*engine_, 3000), 500), 0.0f);
        EXPECT_FALSE(engine_->grooveSounding());
        sound_->prefetch(path);
    }

    // A file cut off in the middle of its data plays the part that is there, looping.
    const QString cut = writeBytes(file("cut.wav"), bytes.left(44 + 4 * 10000 + 2));
    sound_->play(cut);
    const std::vector<float> out = render(*engine_, 25000);
    const std::vector<float> part = decode(cut);
    ASSERT_EQ(part.size(), 10000u * 2);
    EXPECT_EQ(mismatches(std::vector<float>(out.begin() + 20000 * 2, out.end()),
                         std::vector<float>(part.begin(), part.begin() + 5000 * 2)),
              0);
}

TEST_F(GrooveSoundTest, CachedGrooveStartsWithoutTouchingTheDisk) {
    const QString path = writeWav(file("groove.wav"), 8000, noise(0.5f));
    const std::vector<float> decoded = decode(path);
    sound_->prefetch(path);
    ASSERT_TRUE(engine_->grooveCache().waitFor(path));
    ASSERT_TRUE(QFile::remove(path));
    sound_->play(path);
    EXPECT_EQ(mismatches(render(*engine_, 8000), decoded), 0);
    sound_->stop();
    EXPECT_EQ(peak(render(*engine_, 2000), 300), 0.0f);
}

TEST_F(GrooveSoundTest, PendingStartYieldsToLaterRequests) {
    auto output = std::make_unique<PulledOutput>();
    PulledOutput& device = *output;
    AudioOptions options;
    AudioEngine engine(std::move(output), options);
    EngineGrooveSound sound(engine);
    const QString slow = writeWav(file("slow.wav"), 44100, sine(441, 0.5f));
    const QString other = writeWav(file("other.wav"), 4000, noise(0.5f));
    const QString ready = writeWav(file("ready.wav"), 4000, noise(0.3f, 9));
    const QString third = writeWav(file("third.wav"), 4000, noise(0.5f, 3));
    ASSERT_TRUE(engine.grooveCache().waitFor(ready));
    auto settle = [&] {
        processEventsUntil([&] {
            return !engine.grooveCache().isPending(slow) &&
                   !engine.grooveCache().isPending(other) && !engine.grooveCache().isPending(third);
        });
    };

    // Not decoded yet: it starts once the loader is done.
    sound.play(slow);
    EXPECT_EQ(sound.pendingPath(), slow);
    processEventsUntil([&] { return sound.pendingPath().isEmpty(); });
    EXPECT_GT(peak(device.pull(2000)), 0.3f);
    sound.stop();
    device.pull(1000);

    // A stop that comes before the decoding is done wins.
    sound.play(other);
    sound.stop();
    settle();
    EXPECT_EQ(peak(device.pull(2000)), 0.0f);

    // So does a later play of a cached groove: it starts at once and stays.
    sound.play(third);
    sound.play(ready);
    EXPECT_TRUE(sound.pendingPath().isEmpty());
    settle();
    const std::vector<float> out = device.pull(3000);
    EXPECT_EQ(mismatches(out, std::vector<float>(
                                  engine.grooveCache().find(ready)->samples.begin(),
                                  engine.grooveCache().find(ready)->samples.begin() + 3000 * 2)),
              0);
}

TEST_F(GrooveSoundTest, WaveVolumeLevelDrivesTheGrooveGain) {
    WaveVolume volume;
    volume.setLevel(0);
    WaveVolumeBinder binder(volume, *engine_);
    const QString path = writeWav(file("groove.wav"), 8000, noise(0.5f));
    sound_->play(path);
    EXPECT_EQ(peak(render(*engine_, 4000)), 0.0f);  // the muted preload makes no sound
    volume.setLevel(65534);
    render(*engine_, 1000);
    EXPECT_GT(peak(render(*engine_, 1000)), 0.45f);
    EXPECT_EQ(engine_->grooveLevel(), 65534);
}
