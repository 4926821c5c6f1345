// The engine's outputs other than offline: the WAV-file sink, and running silently
// when the output cannot start.
#include <gtest/gtest.h>

#include <sndfile.h>

#include <QFile>
#include <QTemporaryDir>
#include <chrono>
#include <thread>

#include "playback/audioengine.h"
#include "playback/enginegroovesound.h"
#include "playback/enginemediaplayer.h"
#include "playback/groovecache.h"
#include "support/testaudio.h"

using namespace testaudio;

namespace {

class BrokenOutput : public AudioOutput {
public:
    bool start(AudioSource&) override { return false; }
    void stop() override {}
    QString description() const override { return QStringLiteral("broken"); }
};

void waitForFrames(const AudioEngine& engine, std::int64_t frames) {
    for (int i = 0; i < 2000 && engine.framesRendered() < frames; ++i) {
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
}

}  // namespace

TEST(EngineOutputTest, WavSinkWritesTheSessionSampleForSample) {
    QTemporaryDir dir;
    const QString groove = writeWav(dir.filePath("g.wav"), 3000, noise(0.5f));
    const std::vector<float> decoded = decode(groove);
    const QString out = dir.filePath("session.wav");
    {
        AudioOptions options;
        options.wavOutPath = out;
        options.bufferFrames = 128;
        auto engine = makeAudioEngine(options);
        EXPECT_TRUE(engine->errorText().isEmpty());
        EXPECT_FALSE(engine->isOffline());
        EngineGrooveSound sound(*engine);
        ASSERT_TRUE(engine->grooveCache().waitFor(groove));
        const std::int64_t before = engine->framesRendered();
        sound.play(groove);
        waitForFrames(*engine, before + 4000);
    }
    SF_INFO info{};
    SNDFILE* file = sf_open(QFile::encodeName(out).constData(), SFM_READ, &info);
    ASSERT_NE(file, nullptr);
    EXPECT_EQ(info.samplerate, 44100);
    EXPECT_EQ(info.channels, 2);
    EXPECT_EQ(info.frames % 128, 0);
    std::vector<float> written(std::size_t(info.frames) * 2);
    sf_readf_float(file, written.data(), info.frames);
    sf_close(file);
    // The groove starts on a period boundary and its 16-bit samples come back unchanged.
    std::size_t start = 0;
    while (start < written.size() && written[start] == 0.0f) {
        ++start;
    }
    start -= start % 256;
    ASSERT_GE(written.size(), start + 3000 * 2);
    EXPECT_EQ(mismatches(std::vector<float>(written.begin() + long(start),
                                            written.begin() + long(start) + 3000 * 2),
                         decoded),
              0);
}

TEST(EngineOutputTest, WithoutAnOutputTheEngineRunsSilentlyAndSaysSo) {
    QTemporaryDir dir;
    AudioEngine engine(std::make_unique<BrokenOutput>(), AudioOptions{});
    EXPECT_EQ(engine.errorText(),
              QStringLiteral("Nessuna uscita audio disponibile: Quintora funziona senza suono."));
    EXPECT_FALSE(engine.isOffline());

    // Everything still works, in time, without sound: a track runs and ends.
    EngineMediaPlayer player(engine);
    player.setFileName(writeMp3(dir.filePath("t.mp3"), 2000, sine(440, 0.5f)));
    player.setPosition(0);
    player.play();
    for (int i = 0; i < 2000 && !engine.trackEnded(); ++i) {
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    EXPECT_TRUE(engine.trackEnded());
    EXPECT_GT(player.position(), 0.0);
    EXPECT_FALSE(player.isPlaying());

    // A WAV sink that cannot write its file falls back the same way.
    AudioOptions options;
    options.wavOutPath = dir.filePath("no/such/folder/out.wav");
    EXPECT_FALSE(makeAudioEngine(options)->errorText().isEmpty());
}
